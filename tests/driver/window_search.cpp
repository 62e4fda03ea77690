#include "tests/driver/window_search.h"

#include <algorithm>

#include "tests/driver/driver_support.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_input.h"

namespace lyrics::testing {

std::vector<HWND> TopLevelWindows(const wchar_t* className, DWORD processId) {
    std::vector<HWND> windows;
    for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (!IsOfClass(window, className)) continue;
        if (processId && ProcessOf(window) != processId) continue;
        windows.push_back(window);
    }
    return windows;
}

HWND FindTopLevelWindow(const std::wstring& caption, DWORD processId) {
    for (HWND window : TopLevelWindows(nullptr, processId))
        if (::IsWindowVisible(window) && WindowText(window) == caption) return window;
    return nullptr;
}

HWND FirstWindowOf(const wchar_t* className, DWORD processId) {
    const std::vector<HWND> windows = TopLevelWindows(className, processId);
    return windows.empty() ? nullptr : windows.front();
}

std::vector<HWND> VisibleDialogsOf(DWORD processId) {
    std::vector<HWND> dialogs;
    for (HWND window : TopLevelWindows(L"#32770", processId))
        if (::IsWindowVisible(window)) dialogs.push_back(window);
    return dialogs;
}

HWND FindOwnedDialog(HWND owner) {
    for (HWND window : VisibleDialogsOf(ProcessOf(owner)))
        if (::GetWindow(window, GW_OWNER) == owner) return window;
    return nullptr;
}

std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    const auto collect = [&](HWND window) {
        if (IsOfClass(window, L"__winex11_tray_icon")) icons.push_back(window);
    };
    // Docked into an X tray the icons are top-level; in Wine's own tray window they are its children.
    for (HWND top : TopLevelWindows()) {
        collect(top);
        for (HWND child : ChildWindows(top)) collect(child);
    }
    return icons;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    return children;
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* caption) {
    for (HWND child : ChildWindows(parent))
        if (IsOfClass(child, className) && (!caption || WindowText(child) == caption)) return child;
    return nullptr;
}

HWND FindDescendant(HWND parent, int id) {
    for (HWND child : ChildWindows(parent)) {
        if (ControlId(child) == id) return child;
        if (const HWND inner = FindDescendant(child, id)) return inner;
    }
    return nullptr;
}

bool ShowsText(HWND parent, const std::wstring& text) {
    const std::vector<HWND> children = ChildWindows(parent);
    return std::any_of(children.begin(), children.end(), [&](HWND child) { return WindowText(child) == text; });
}

HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    WaitFor([&] { return (window = find()) != nullptr; }, timeout);
    return window;
}

std::wstring WindowText(HWND window) {
    const std::optional<LRESULT> length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0);
    if (!length) return {};
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied = SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (!copied) return {};
    text.resize(std::min<std::size_t>(static_cast<std::size_t>(*copied), static_cast<std::size_t>(*length)));
    return text;
}

bool IsOfClass(HWND window, const wchar_t* className) {
    return !className || ::CompareStringOrdinal(ClassName(window).c_str(), -1, className, -1, TRUE) == CSTR_EQUAL;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

int ControlId(HWND window) { return ::GetDlgCtrlID(window); }

LONG_PTR Style(HWND window) { return ::GetWindowLongPtrW(window, GWL_STYLE); }

LRESULT CheckOf(HWND button) { return SendBounded(button, BM_GETCHECK, 0, 0).value_or(-1); }

HWND FocusedWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

RECT RectInParent(HWND control, HWND parent) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace lyrics::testing
