// Closing the windows that carry a caption: each has its mode cancelled and is asked to close,
// once, and the look-up is repeated until no window has the caption.
//
// A window may refuse (Notepad asking whether to save): one still there about a second after it
// was asked is given up on, and every other window with the caption is then asked once, found by
// walking the top-level windows, so none is left unasked and the program never hangs. Between
// looks the walk pauses briefly instead of spinning.
#pragma once

#include <chrono>
#include <string_view>

#include "orlisk/desktop.h"

namespace lyrics::orlisk {

inline constexpr std::chrono::milliseconds kCloseGiveUpAfter{1000};
inline constexpr std::chrono::milliseconds kClosePollPause{20};

// caption: compared without regard to letter case, as FindWindow compares.
void CloseWindowsCaptioned(Desktop& desktop, std::wstring_view caption);

}  // namespace lyrics::orlisk
