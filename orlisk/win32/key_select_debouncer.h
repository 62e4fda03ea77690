// KeySelectDebouncer: one key press on the tray icon, one action. Under the version-4 tray
// interface the shell may report one Enter on the icon as two NIN_KEYSELECT, which would close
// and open the lyrics twice. A report is the press already seen while that press's action runs
// (the window walk lets messages through) and until the double-click time after it ended.
// Times are the system's millisecond tick count, given by the caller; they may wrap.
#pragma once

#include <cstdint>

namespace lyrics::orlisk::win32 {

class KeySelectDebouncer {
public:
    // Whether a NIN_KEYSELECT reported at nowMs is a press of its own, windowMs being the
    // double-click time. A press it lets through runs until PressHandled.
    bool StartPress(std::uint32_t nowMs, std::uint32_t windowMs) noexcept;
    // The action of the press that StartPress let through ended at nowMs.
    void PressHandled(std::uint32_t nowMs) noexcept;

private:
    bool running_ = false;
    bool ended_ = false;  // a press has been handled: endedAt_ holds when
    std::uint32_t endedAt_ = 0;
};

}  // namespace lyrics::orlisk::win32
