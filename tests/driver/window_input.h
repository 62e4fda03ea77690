// What a test does to another program's windows as a user would: clicks, keys, typed text. A
// message sent waits for the answer within a bound; a message posted returns at once, for what
// starts a modal loop (a box, a picker, a menu) that answers only when it ends.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

namespace lyrics::testing {

using namespace std::chrono_literals;

// Sends a message to another process's window; its answer, or nullopt when it gave none in time.
inline std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          std::chrono::milliseconds timeout = 5s) {
    DWORD_PTR result = 0;
    if (!window ||
        !::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()), &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

// Presses a button as a click does, without waiting for what the click starts.
inline void Click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }
// Presses a button and waits until its owner has handled the press; false when it did not.
inline bool ClickAndWait(HWND button) { return SendBounded(button, BM_CLICK, 0, 0).has_value(); }
// Clicks the client area of window at (x, y) with the first or second mouse button.
inline void ClickAt(HWND window, int x, int y, bool second = false) {
    ::PostMessageW(window, second ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, second ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, second ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
inline void RightClickAt(HWND window, int x, int y) { ClickAt(window, x, y, true); }
// Posts a key press (down and up) to window, as if typed while it had the focus.
inline void PressKey(HWND window, UINT virtualKey) {
    const LPARAM scanCode = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | scanCode);
    ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | scanCode | (1LL << 30) | (1LL << 31));
}
// Posts a typed character, as the keyboard gives it after a key press.
inline void TypeChar(HWND window, wchar_t typed) { ::PostMessageW(window, WM_CHAR, typed, 1); }
// Replaces a control's text; false when the owner did not answer in time.
inline bool SetText(HWND window, const std::wstring& text) {
    return SendBounded(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
}

}  // namespace lyrics::testing
