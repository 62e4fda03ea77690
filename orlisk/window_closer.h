// WindowCloser: closing the windows that carry one of a song's captions. Each is asked to close
// (its mode cancelled first), and the look-up is repeated until no window has the caption.
//
// One close is bounded as a whole from the moment it starts: by time (a window that refuses,
// such as a Notepad asking whether to save, is given up on once the close has run about a
// second) and by the number of windows asked, so that a program creating window after window
// under the caption cannot keep it going. While it waits it handles the program's messages, and
// it stops when the caller asks it to (the program is ending). Once a window refuses, every other
// window with the caption is asked once, found by walking the top-level windows, for FindWindow
// only ever answers the first.
//
// A window is asked once per close. A later close asks again a window that is still there only
// when the caller says so (an explicit request of the user's) and the window is not busy with a
// question of its own (it is disabled while its "save changes?" box shows): a second request
// then would stack a second question on the first. A window asked in an earlier close is not
// waited for again. The closer remembers the windows it asked until they are gone, a bounded
// number of them.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "orlisk/desktop.h"

namespace lyrics::orlisk {

inline constexpr std::chrono::milliseconds kCloseGiveUpAfter{1000};
inline constexpr std::chrono::milliseconds kClosePollPause{20};
// The most windows one close asks, and the most the closer remembers.
inline constexpr int kCloseMaxAsks = 32;
inline constexpr std::size_t kCloseMaxRemembered = 64;

// Whether a close asks again the windows that an earlier close asked and that are still there.
enum class AskAgain { No, Yes };

class WindowCloser {
public:
    // desktop must outlive the closer.
    explicit WindowCloser(Desktop& desktop) : desktop_(desktop) {}

    // Asks the windows with any of captions (letter case ignored, as FindWindow compares) to
    // close, caption by caption, within one bound. stopRequested, when given, is asked after each
    // pass of the message loop; true ends the close at once.
    void Close(std::span<const std::wstring> captions, AskAgain again, const std::function<bool()>& stopRequested = {});

    // A window this closer asked to close that is still there under one of captions (letter case
    // ignored): it refused, or has not gone yet.
    std::optional<WindowHandle> RemainingWindow(std::span<const std::wstring> captions);

private:
    struct AskedWindow {
        WindowHandle window;
        std::chrono::steady_clock::time_point askedAt;
    };
    // What one close may still spend.
    struct Bound {
        std::chrono::steady_clock::time_point start;
        std::chrono::steady_clock::time_point deadline;
        int asksLeft;
    };

    // False when the close is to end: out of asks, or the caller asked it to stop.
    bool CloseCaptioned(const std::wstring& lowerCaption, AskAgain again, Bound& bound,
                        const std::function<bool()>& stopRequested);
    void Ask(WindowHandle window, Bound& bound);
    // The others with the caption, reached by walking the Z order from the window that refused.
    void AskTheOthers(WindowHandle stuck, const std::wstring& lowerCaption, Bound& bound);
    AskedWindow* Asked(WindowHandle window);
    // Drops the windows that have gone, so that the list stays short and a handle the system
    // hands out again later is not mistaken for one asked.
    void ForgetGoneWindows();

    Desktop& desktop_;
    std::vector<AskedWindow> asked_;
};

}  // namespace lyrics::orlisk
