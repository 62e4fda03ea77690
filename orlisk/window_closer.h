// WindowCloser: closing the windows that carry a caption. Each is asked to close (its mode
// cancelled first) once, and the look-up is repeated until no window has the caption.
//
// A window may refuse (Notepad asking whether to save): one still there about a second after it
// was asked is given up on, and every other window with the caption is then asked once, found by
// walking the top-level windows, so none is left unasked and the program never hangs. Between
// looks the walk pauses briefly instead of spinning.
//
// Asked once means once for as long as the window lives, across calls: a second close request to
// a Notepad that is asking whether to save would stack a second question on the first, and a
// later call does not wait for it again. The closer remembers the windows it asked until they are
// gone.
#pragma once

#include <chrono>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "orlisk/desktop.h"

namespace lyrics::orlisk {

inline constexpr std::chrono::milliseconds kCloseGiveUpAfter{1000};
inline constexpr std::chrono::milliseconds kClosePollPause{20};

class WindowCloser {
public:
    // desktop must outlive the closer.
    explicit WindowCloser(Desktop& desktop) : desktop_(desktop) {}

    // caption: compared without regard to letter case, as FindWindow compares.
    void CloseCaptioned(std::wstring_view caption);

    // Whether a window this closer asked to close is still there under one of the captions
    // (letter case ignored): it refused, or has not gone yet.
    bool AskedWindowRemains(std::span<const std::wstring> captions);

private:
    struct AskedWindow {
        WindowHandle window;
        std::chrono::steady_clock::time_point askedAt;
    };

    void Ask(WindowHandle window);
    // FindWindow only ever answers the first window with the caption; once that one refuses, the
    // others are reached by walking the Z order from it.
    void AskTheOthers(WindowHandle stuck, std::wstring_view lowerCaption);
    const AskedWindow* Asked(WindowHandle window) const;
    // Drops the windows that have gone, so that the list stays short and a handle the system
    // hands out again later is not mistaken for one asked.
    void ForgetGoneWindows();

    Desktop& desktop_;
    std::vector<AskedWindow> asked_;
};

}  // namespace lyrics::orlisk
