// WinampRemote: asks Winamp's main window what it plays, through the window messages Winamp
// answers for other programs (its version, whether it plays, the playing entry's position and
// that entry's title, read from Winamp's memory).
//
// Asking is bounded in time: a Winamp that is hung, slow or gone is NotAnswering, never a wait.
// Any step that fails (no answer, an answer that makes no sense, a title that cannot be read)
// also gives NotAnswering, so the caller falls back on the caption. Paused counts as playing:
// the song is still the one whose lyrics the user wants.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "orlisk/window_handle.h"

namespace lyrics::orlisk {

// The class of Winamp's main window, which players that imitate Winamp give theirs too.
inline constexpr std::wstring_view kWinampClass = L"Winamp v1.x";

enum class WinampState { NotAnswering, Stopped, Playing };

// One entry of Winamp's playlist: its position (from 0) and its title as the playlist shows it.
struct PlayingEntry {
    int index = 0;
    std::wstring title;
    bool operator==(const PlayingEntry&) const = default;
};

struct WinampAnswer {
    WinampState state = WinampState::NotAnswering;
    std::optional<PlayingEntry> entry;  // set exactly when state is Playing

    static WinampAnswer NotAnswering() { return {}; }
    static WinampAnswer Stopped() { return {WinampState::Stopped, std::nullopt}; }
    static WinampAnswer Playing(int index, std::wstring title) {
        return {WinampState::Playing, PlayingEntry{index, std::move(title)}};
    }
};

class WinampRemote {
public:
    virtual ~WinampRemote() = default;
    // window must be of Winamp's main-window class: any other window gives the same messages a
    // meaning of its own (see WinampAsker, which makes sure of it). budget: what the whole asking
    // may take at most.
    virtual WinampAnswer WhatDoYouPlay(WindowHandle window, std::chrono::milliseconds budget) = 0;
};

}  // namespace lyrics::orlisk
