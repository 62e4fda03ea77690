// The media players on the bus as `lyrics follow` knows them, and which one it follows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/player_watch.h"
#include "orlisk/player_song.h"

namespace lyrics::cli {

struct PlayerEntry {
    std::wstring player;
    std::wstring status;
    std::optional<orlisk::PlayerSong> song;
    std::uint64_t changed = 0;  // when it last published anything, on the table's own clock

    bool Playing() const { return status == L"Playing"; }
};

// Whether a player's name is the one asked for: the same, or it with an instance part after a dot
// ("vlc" picks "vlc.instance4242", as players that run more than once name themselves).
bool IsPlayerNamed(std::wstring_view player, std::wstring_view wanted);

class PlayerTable {
public:
    // Adds the player or takes in what it changed; either way it is the one that changed last.
    void Apply(const PlayerUpdate& update);
    void Remove(std::wstring_view player);

    // The player to follow: the one named when a name is given (nothing when it is not there);
    // else the one playing, else the one that changed last (of several playing, the one that
    // changed last).
    const PlayerEntry* Choose(const std::optional<std::wstring>& wanted) const;
    // Its song, as the song tracker reads it: nothing when no player is chosen or it gave none.
    std::optional<orlisk::PlayerSong> ChosenSong(const std::optional<std::wstring>& wanted) const;

    const std::vector<PlayerEntry>& Entries() const noexcept { return entries_; }

private:
    std::vector<PlayerEntry> entries_;
    std::uint64_t clock_ = 0;
};

}  // namespace lyrics::cli
