#include "orlisk/winamp_asker.h"

#include <algorithm>

namespace lyrics::orlisk {

WinampAnswer WinampAsker::Ask(WindowHandle window) {
    if (window == kNoWindow || !desktop_.HasClass(window, kWinampClass)) return WinampAnswer::NotAnswering();
    const auto start = desktop_.Now();
    if (left_.count() <= 0 || IsResting(window, start)) return WinampAnswer::NotAnswering();

    const std::chrono::milliseconds given = left_;
    WinampAnswer answer = remote_.WhatDoYouPlay(window, given);
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(desktop_.Now() - start);
    left_ -= std::min(spent, left_);
    if (answer.state == WinampState::NotAnswering && spent >= std::min(given, kWinampHungAfter)) PutToRest(window, start);

    // Playing with no title to name a file after tells nothing: the caption has to do.
    const bool titled = answer.entry && !answer.entry->title.empty();
    if (answer.state == WinampState::Playing && !titled) return WinampAnswer::NotAnswering();
    if (answer.state != WinampState::Playing) answer.entry.reset();
    return answer;
}

bool WinampAsker::IsResting(WindowHandle window, std::chrono::steady_clock::time_point now) {
    std::erase_if(resting_, [now](const Rest& rest) { return rest.until <= now; });
    return std::any_of(resting_.begin(), resting_.end(), [window](const Rest& rest) { return rest.window == window; });
}

void WinampAsker::PutToRest(WindowHandle window, std::chrono::steady_clock::time_point now) {
    if (resting_.size() == kMaxHungWinamps) resting_.erase(resting_.begin());
    resting_.push_back({window, now + kHungWinampRest});
}

}  // namespace lyrics::orlisk
