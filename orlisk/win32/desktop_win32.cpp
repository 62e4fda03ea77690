#include "orlisk/win32/desktop_win32.h"

#include <iterator>
#include <thread>
#include <vector>

namespace lyrics::orlisk::win32 {

Win32Desktop::Win32Desktop(std::function<bool(MSG&)> preTranslate) : preTranslate_(std::move(preTranslate)) {}

WindowHandle Win32Desktop::FirstWindow(WindowHandle own) { return FromHwnd(::GetWindow(ToHwnd(own), GW_HWNDFIRST)); }

WindowHandle Win32Desktop::NextWindow(WindowHandle window) { return FromHwnd(::GetWindow(ToHwnd(window), GW_HWNDNEXT)); }

WindowHandle Win32Desktop::LastWindow(WindowHandle own) { return FromHwnd(::GetWindow(ToHwnd(own), GW_HWNDLAST)); }

CaptionRead Win32Desktop::ReadCaption(WindowHandle window) {
    CaptionRead caption;
    const int length = ::GetWindowTextLengthW(ToHwnd(window));
    if (length <= 0) return caption;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    caption.copied = ::GetWindowTextW(ToHwnd(window), buffer.data(), length + 1);
    // The caption may have changed between the two calls; what was copied is what counts.
    if (caption.copied > 0) caption.text.assign(buffer.data(), static_cast<std::size_t>(caption.copied));
    return caption;
}

bool Win32Desktop::Exists(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32Desktop::IsDisabled(WindowHandle window) { return (::GetWindowLongPtrW(ToHwnd(window), GWL_STYLE) & WS_DISABLED) != 0; }

WindowHandle Win32Desktop::FindByCaption(std::wstring_view caption) {
    const std::wstring text(caption);
    return FromHwnd(::FindWindowW(nullptr, text.c_str()));
}

WindowHandle Win32Desktop::FindByClass(std::wstring_view className) {
    const std::wstring name(className);
    return FromHwnd(::FindWindowW(name.c_str(), nullptr));
}

bool Win32Desktop::HasClass(WindowHandle window, std::wstring_view className) {
    // 256 characters is the longest class name Windows registers.
    wchar_t name[257] = {};
    const int length = ::GetClassNameW(ToHwnd(window), name, static_cast<int>(std::size(name)));
    if (length <= 0) return false;
    return ::CompareStringOrdinal(name, length, className.data(), static_cast<int>(className.size()), TRUE) == CSTR_EQUAL;
}

// Posted, not sent: the window belongs to another program, which may be busy or hung. What
// PostMessageW answers is of no use: a window gone meanwhile is found gone by the next look-up.
void Win32Desktop::CancelMode(WindowHandle window) { ::PostMessageW(ToHwnd(window), WM_CANCELMODE, 0, 0); }

void Win32Desktop::AskToClose(WindowHandle window) { ::PostMessageW(ToHwnd(window), WM_CLOSE, 0, 0); }

void Win32Desktop::BringToFront(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    // The box a Notepad shows ("save changes?") is its last active popup; that is what the user
    // must answer. Asynchronous: the window belongs to another program, which may be busy.
    if (::IsIconic(hwnd)) ::ShowWindowAsync(hwnd, SW_RESTORE);
    ::SetForegroundWindow(::GetLastActivePopup(hwnd));
}

void Win32Desktop::PumpMessages() {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The main loop must still see it and end.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (preTranslate_ && preTranslate_(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::chrono::steady_clock::time_point Win32Desktop::Now() { return std::chrono::steady_clock::now(); }

void Win32Desktop::Pause(std::chrono::milliseconds span) { std::this_thread::sleep_for(span); }

}  // namespace lyrics::orlisk::win32
