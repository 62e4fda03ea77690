#include "cli/mpris/stop_signals.h"

#include <sys/signalfd.h>

#include <ctime>

namespace lyrics::cli::mpris {

sigset_t StopSignals::Watched() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGCHLD}) sigaddset(&set, signal);
    return set;
}

StopSignals::StopSignals() {
    const sigset_t watched = Watched();
    pthread_sigmask(SIG_BLOCK, &watched, &previous_);
    fd_ = FileDescriptor(signalfd(-1, &watched, SFD_CLOEXEC | SFD_NONBLOCK));
    // Blocked with no descriptor to read them from, Ctrl-C would go unseen: the default stays.
    if (fd_.get() < 0) pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

StopSignals::~StopSignals() {
    // A second Ctrl-C still pending would end the process the moment it is unblocked.
    const sigset_t watched = Watched();
    const timespec now{};
    while (sigtimedwait(&watched, nullptr, &now) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

SignalSeen StopSignals::Read() {
    signalfd_siginfo info{};
    SignalSeen seen = SignalSeen::None;
    while (::read(fd_.get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        if (info.ssi_signo != SIGCHLD) return SignalSeen::Stop;
        seen = SignalSeen::ChildEnded;
    }
    return seen;
}

}  // namespace lyrics::cli::mpris
