// The signals `lyrics follow` waits for beside the bus: Ctrl-C, SIGTERM and a closed terminal end
// it, SIGCHLD says an opened program ended. They are blocked and read from a signalfd, so the one
// poll of the loop sees them and no handler runs in between.
#pragma once

#include <signal.h>

#include "cli/mpris/sd_bus_handles.h"

namespace lyrics::cli::mpris {

enum class SignalSeen { None, Stop, ChildEnded };

class StopSignals {
public:
    StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;
    // Gives the signals back to the process as they were, without the ones already read.
    ~StopSignals();

    int Fd() const noexcept { return fd_.get(); }
    // The signal waiting on the descriptor, if any.
    SignalSeen Read();
    // The mask a program started from here must get instead of the blocked one.
    const sigset_t& Previous() const noexcept { return previous_; }
    static sigset_t Watched();

private:
    sigset_t previous_{};
    FileDescriptor fd_;
};

}  // namespace lyrics::cli::mpris
