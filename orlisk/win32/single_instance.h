// SingleInstance: tells whether another Orlisk already runs in this session. The first instance
// holds a named mutex in the session namespace for its whole life; a later one finds it there and
// asks the first, through its settings window, to show that window.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

namespace lyrics::orlisk::win32 {

// The message a later instance posts to the settings window of the first: "show yourself".
UINT ShowSettingsMessage();

class SingleInstance {
public:
    // Claims the name; keep the object alive for as long as the program runs.
    SingleInstance();

    // True when an earlier instance held the name first.
    bool AnotherIsRunning() const noexcept { return anotherIsRunning_; }
    // Asks the earlier instance to show its settings window and lets it come to the front; nothing
    // when its window cannot be found.
    void AskOtherToShowSettings() const;

private:
    UniqueKernelHandle mutex_;
    bool anotherIsRunning_ = false;
};

}  // namespace lyrics::orlisk::win32
