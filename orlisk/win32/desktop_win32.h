// Win32Desktop: the logic's Desktop over the real window system (GetWindow, GetWindowTextW,
// IsWindow, FindWindowW, GetClassNameW, PostMessageW, SetForegroundWindow, PeekMessageW). Window
// handles cross as numbers; the message pump goes through the settings window so that its
// keyboard navigation keeps working while a window walk lets messages through.
#pragma once

#include "orlisk/desktop.h"

#include <windows.h>

#include <functional>

namespace lyrics::orlisk::win32 {

class Win32Desktop final : public Desktop {
public:
    // preTranslate: the main loop's dialog-key handling, true when it consumed the message.
    explicit Win32Desktop(std::function<bool(MSG&)> preTranslate);

    WindowHandle FirstWindow(WindowHandle own) override;
    WindowHandle NextWindow(WindowHandle window) override;
    WindowHandle LastWindow(WindowHandle own) override;
    CaptionRead ReadCaption(WindowHandle window) override;
    bool Exists(WindowHandle window) override;
    bool IsDisabled(WindowHandle window) override;
    WindowHandle FindByCaption(std::wstring_view caption) override;
    WindowHandle FindByClass(std::wstring_view className) override;
    bool HasClass(WindowHandle window, std::wstring_view className) override;
    void CancelMode(WindowHandle window) override;
    void AskToClose(WindowHandle window) override;
    void BringToFront(WindowHandle window) override;
    void PumpMessages() override;
    std::chrono::steady_clock::time_point Now() override;
    void Pause(std::chrono::milliseconds span) override;

private:
    std::function<bool(MSG&)> preTranslate_;
};

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace lyrics::orlisk::win32
