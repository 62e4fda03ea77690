// Desktop: what the logic asks of the window system, and nothing more.
// The window walk, the song-change tick and the closing of lyrics windows run over it; the
// Windows program implements it over the real windows, the tests over a list of fake ones.
// Requests to another program's window are posted: they return at once, and the window acts on
// them in its own time. Member names avoid the window system's macro names (PostMessage,
// FindWindow ...), which <windows.h> would otherwise rename in the adapter only.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "orlisk/window_handle.h"

namespace lyrics::orlisk {

// A caption as read: n = GetWindowTextLengthW, then GetWindowTextW into room for n+1 characters.
struct CaptionRead {
    std::wstring text;  // the characters copied
    int copied = 0;     // what GetWindowTextW returned; 0 for a window that is gone or has no caption
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // The top of the Z order among top-level windows: GetWindow(own, GW_HWNDFIRST).
    virtual WindowHandle FirstWindow(WindowHandle own) = 0;
    // The window below in the Z order: GetWindow(window, GW_HWNDNEXT); kNoWindow at the end, and
    // for a window that has left the order (it is being destroyed, or is gone).
    virtual WindowHandle NextWindow(WindowHandle window) = 0;
    // The bottom of the Z order among top-level windows: GetWindow(own, GW_HWNDLAST).
    virtual WindowHandle LastWindow(WindowHandle own) = 0;

    virtual CaptionRead ReadCaption(WindowHandle window) = 0;
    // IsWindow.
    virtual bool Exists(WindowHandle window) = 0;
    // Whether WS_DISABLED is set in the window's style.
    virtual bool IsDisabled(WindowHandle window) = 0;
    // FindWindowW(nullptr, caption): a top-level window with that caption, letter case ignored.
    virtual WindowHandle FindByCaption(std::wstring_view caption) = 0;
    // FindWindowW(className, nullptr): the top-level window of that class highest in the Z order;
    // kNoWindow for none. One call, whatever the number of windows.
    virtual WindowHandle FindByClass(std::wstring_view className) = 0;
    // Whether the window's class is className (GetClassNameW; class names ignore letter case).
    virtual bool HasClass(WindowHandle window, std::wstring_view className) = 0;
    // Ends a menu or a drag the window may be in, so that a close request that follows is not
    // held up by it (WM_CANCELMODE).
    virtual void CancelMode(WindowHandle window) = 0;
    // Asks the window to close, as its close box would (WM_CLOSE); it may refuse.
    virtual void AskToClose(WindowHandle window) = 0;
    // Brings the window to the front for the user, restored if it was minimized, or the box it
    // shows if it is asking something.
    virtual void BringToFront(WindowHandle window) = 0;

    // One pass of the program's message loop: handles what is pending, never waits. A WM_QUIT met
    // here is posted again for the main loop.
    virtual void PumpMessages() = 0;

    // A monotonic clock and a short sleep, for waiting on windows asked to close.
    virtual std::chrono::steady_clock::time_point Now() = 0;
    virtual void Pause(std::chrono::milliseconds span) = 0;
};

}  // namespace lyrics::orlisk
