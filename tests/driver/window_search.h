// Another program's windows as a test finds and reads them from outside: top-level windows by
// process, class and caption, the controls inside them, the boxes they own, their texts (asked
// with WM_GETTEXT, the only way that reads another process's edit box) and where they stand.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/driver/driver_support.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_input.h"

namespace lyrics::testing {

using namespace std::chrono_literals;

// How long a test waits for a window a program is about to show.
inline constexpr std::chrono::milliseconds kWindowTimeout = 15s;

// A window's text asked with WM_GETTEXT (bounded in time); empty when it did not answer.
inline std::wstring WindowText(HWND window) {
    const std::optional<LRESULT> length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0);
    if (!length) return {};
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied = SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (!copied) return {};
    text.resize(std::min<std::size_t>(static_cast<std::size_t>(*copied), static_cast<std::size_t>(*length)));
    return text;
}
inline std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}
// Whether window is of the class (null: any), in any letter case as the system compares them.
inline bool IsOfClass(HWND window, const wchar_t* className) {
    return !className || ::CompareStringOrdinal(ClassName(window).c_str(), -1, className, -1, TRUE) == CSTR_EQUAL;
}
inline int ControlId(HWND window) { return ::GetDlgCtrlID(window); }
inline LONG_PTR Style(HWND window) { return ::GetWindowLongPtrW(window, GWL_STYLE); }
// BM_GETCHECK of another process's button.
inline LRESULT CheckOf(HWND button) { return SendBounded(button, BM_GETCHECK, 0, 0).value_or(-1); }
// The window that has the keyboard focus in the thread that owns window.
inline HWND FocusedWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}
// The window rectangle of control in the client coordinates of parent.
inline RECT RectInParent(HWND control, HWND parent) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Top-level windows in Z order, only those of the class (null: any) and process (0: any).
inline std::vector<HWND> TopLevelWindows(const wchar_t* className = nullptr, DWORD processId = 0) {
    std::vector<HWND> windows;
    for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT))
        if (IsOfClass(window, className) && (!processId || ProcessOf(window) == processId)) windows.push_back(window);
    return windows;
}
// The first visible top-level window with exactly this caption, of the process (0: any).
inline HWND FindTopLevelWindow(const std::wstring& caption, DWORD processId = 0) {
    for (HWND window : TopLevelWindows(nullptr, processId))
        if (::IsWindowVisible(window) && WindowText(window) == caption) return window;
    return nullptr;
}
// The first top-level window of the class and process (0: any), or null.
inline HWND FirstWindowOf(const wchar_t* className, DWORD processId = 0) {
    const std::vector<HWND> windows = TopLevelWindows(className, processId);
    return windows.empty() ? nullptr : windows.front();
}
// The visible boxes (class "#32770": message boxes, common dialogs) of a process.
inline std::vector<HWND> VisibleDialogsOf(DWORD processId) {
    std::vector<HWND> dialogs = TopLevelWindows(L"#32770", processId);
    std::erase_if(dialogs, [](HWND window) { return !::IsWindowVisible(window); });
    return dialogs;
}
// The visible box owned by owner, if one is shown.
inline HWND FindOwnedDialog(HWND owner) {
    for (HWND window : VisibleDialogsOf(ProcessOf(owner)))
        if (::GetWindow(window, GW_OWNER) == owner) return window;
    return nullptr;
}

// The direct children of parent in Z order, which is their tab order.
inline std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    return children;
}
// The first direct child of the class (null: any) with exactly this caption (null: any).
inline HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* caption = nullptr) {
    for (HWND child : ChildWindows(parent))
        if (IsOfClass(child, className) && (!caption || WindowText(child) == caption)) return child;
    return nullptr;
}
// The control of parent with that id, at any depth.
inline HWND FindDescendant(HWND parent, int id) {
    for (HWND child : ChildWindows(parent)) {
        if (ControlId(child) == id) return child;
        if (const HWND inner = FindDescendant(child, id)) return inner;
    }
    return nullptr;
}
// Whether a direct child of parent shows exactly this text.
inline bool ShowsText(HWND parent, const std::wstring& text) {
    const std::vector<HWND> children = ChildWindows(parent);
    return std::any_of(children.begin(), children.end(), [&](HWND child) { return WindowText(child) == text; });
}
// The windows of Wine's tray that stand for one icon each, wherever the tray put them: top-level
// when docked into an X tray, else children of Wine's own tray window.
inline std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    for (HWND top : TopLevelWindows()) {
        std::vector<HWND> candidates = ChildWindows(top);
        candidates.insert(candidates.begin(), top);
        for (HWND window : candidates)
            if (IsOfClass(window, L"__winex11_tray_icon")) icons.push_back(window);
    }
    return icons;
}

// Polls find() until it gives a window or the time is up (then null).
inline HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds timeout = kWindowTimeout) {
    HWND window = nullptr;
    WaitFor([&] { return (window = find()) != nullptr; }, timeout);
    return window;
}

}  // namespace lyrics::testing
