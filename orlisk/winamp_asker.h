// WinampAsker: asks Winamp's windows what they play, within one time budget for a round of
// questions (one window walk, one tick), whatever the number of windows asked in it.
//
// Only windows of Winamp's main-window class are asked: to every other window the same messages
// mean something of its own, and sending them could make it act. A window that spent its time
// without answering (it is hung, or busy) is not asked again for a while: the caption has to do
// for it meanwhile, so that many such windows cannot hold up every walk. Playing comes with an
// entry whose title is not empty; an answer without one counts as no answer.
#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "orlisk/desktop.h"
#include "orlisk/winamp_remote.h"

namespace lyrics::orlisk {

// What one round may spend on questions: a Winamp that answers takes well under a millisecond.
inline constexpr std::chrono::milliseconds kWinampRoundBudget{500};
// An asking that took this long (or all the time it had) and got no answer marks a window as hung.
inline constexpr std::chrono::milliseconds kWinampHungAfter{100};
// How long a hung window is passed over, and how many such windows are remembered.
inline constexpr std::chrono::seconds kHungWinampRest{30};
inline constexpr std::size_t kMaxHungWinamps = 256;

class WinampAsker {
public:
    // desktop and remote must outlive the asker.
    WinampAsker(Desktop& desktop, WinampRemote& remote) : desktop_(desktop), remote_(remote) {}

    // Starts a round with the whole budget.
    void StartRound() { left_ = kWinampRoundBudget; }
    // What window plays; NotAnswering for a window of another class, a resting one, or once the
    // round's budget is spent.
    WinampAnswer Ask(WindowHandle window);

private:
    struct Rest {
        WindowHandle window;
        std::chrono::steady_clock::time_point until;
    };
    bool IsResting(WindowHandle window, std::chrono::steady_clock::time_point now);
    void PutToRest(WindowHandle window, std::chrono::steady_clock::time_point now);

    Desktop& desktop_;
    WinampRemote& remote_;
    std::chrono::milliseconds left_ = kWinampRoundBudget;
    std::vector<Rest> resting_;
};

}  // namespace lyrics::orlisk
