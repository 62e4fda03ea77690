#include "tests/driver/window_input.h"

namespace lyrics::testing {

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::chrono::milliseconds timeout) {
    DWORD_PTR result = 0;
    if (!window ||
        !::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()), &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

void Click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

bool ClickAndWait(HWND button) { return SendBounded(button, BM_CLICK, 0, 0).has_value(); }

void ClickAt(HWND window, int x, int y) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void RightClickAt(HWND window, int x, int y) {
    ::PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

void PressKey(HWND window, UINT virtualKey) {
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16));
    ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16) | (1LL << 30) | (1LL << 31));
}

void TypeChar(HWND window, wchar_t typed) { ::PostMessageW(window, WM_CHAR, typed, 1); }

bool SetText(HWND window, const std::wstring& text) {
    return SendBounded(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
}

}  // namespace lyrics::testing
