// Win32WinampRemote: the logic's WinampRemote over Winamp's window messages. It sends WM_USER
// with IPC_GETVERSION, IPC_ISPLAYING, IPC_GETLISTPOS and IPC_GETPLAYLISTTITLEW, and reads the
// title from Winamp's memory with ReadProcessMemory.
//
// Every question goes through SendMessageTimeoutW within one budget for the whole asking, and
// does not let other messages into Orlisk while it waits (SMTO_BLOCK), so that a hung or slow
// Winamp costs at most the budget and no handler of Orlisk runs in the middle of a tick. The
// title is read page by page, up to a bounded length, and must end within it.
#pragma once

#include <chrono>
#include <cstddef>

#include "orlisk/winamp_remote.h"

namespace lyrics::orlisk::win32 {

using namespace std::chrono_literals;

// What one asking may take at most: a Winamp that answers takes well under a millisecond.
inline constexpr std::chrono::milliseconds kWinampAskBudget = 500ms;
// The longest title read, in characters; a longer one counts as a failed read.
inline constexpr std::size_t kMaxWinampTitle = 2048;

class Win32WinampRemote final : public WinampRemote {
public:
    explicit Win32WinampRemote(std::chrono::milliseconds budget = kWinampAskBudget) : budget_(budget) {}

    // budget: at most the one the remote was made with.
    WinampAnswer WhatDoYouPlay(WindowHandle window, std::chrono::milliseconds budget) override;
    // Within the remote's own budget.
    WinampAnswer WhatDoYouPlay(WindowHandle window) { return WhatDoYouPlay(window, budget_); }

private:
    std::chrono::milliseconds budget_;
};

}  // namespace lyrics::orlisk::win32
