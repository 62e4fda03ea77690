// SingleInstance: tells whether another Orlisk already runs in this session. The first instance
// holds a named mutex in the session namespace for its whole life; a later one finds it there.
#pragma once

#include "common/win32/unique_handle.h"

namespace lyrics::orlisk::win32 {

class SingleInstance {
public:
    // Claims the name; keep the object alive for as long as the program runs.
    SingleInstance();

    // True when an earlier instance held the name first.
    bool AnotherIsRunning() const noexcept { return anotherIsRunning_; }

private:
    UniqueKernelHandle mutex_;
    bool anotherIsRunning_ = false;
};

}  // namespace lyrics::orlisk::win32
