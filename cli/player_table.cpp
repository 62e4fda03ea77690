#include "cli/player_table.h"

#include <algorithm>

namespace lyrics::cli {

bool IsPlayerNamed(std::wstring_view player, std::wstring_view wanted) {
    if (player.size() < wanted.size() || player.substr(0, wanted.size()) != wanted) return false;
    return player.size() == wanted.size() || player[wanted.size()] == L'.';
}

void PlayerTable::Apply(const PlayerUpdate& update) {
    auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const PlayerEntry& e) { return e.player == update.player; });
    if (entry == entries_.end()) {
        entries_.push_back(PlayerEntry{update.player, {}, {}, 0});
        entry = entries_.end() - 1;
    }
    if (update.status) entry->status = *update.status;
    if (update.song) entry->song = update.song;
    entry->changed = ++clock_;
}

void PlayerTable::Remove(std::wstring_view player) {
    std::erase_if(entries_, [&](const PlayerEntry& e) { return e.player == player; });
}

const PlayerEntry* PlayerTable::Choose(const std::optional<std::wstring>& wanted) const {
    const PlayerEntry* best = nullptr;
    for (const PlayerEntry& entry : entries_) {
        if (wanted && !IsPlayerNamed(entry.player, *wanted)) continue;
        const bool better = best == nullptr || entry.Playing() > best->Playing() ||
                            (entry.Playing() == best->Playing() && entry.changed > best->changed);
        if (better) best = &entry;
    }
    return best;
}

std::optional<orlisk::PlayerSong> PlayerTable::ChosenSong(const std::optional<std::wstring>& wanted) const {
    const PlayerEntry* entry = Choose(wanted);
    if (entry == nullptr || !entry->song) return std::nullopt;
    orlisk::PlayerSong song = *entry->song;
    song.player = entry->player;
    return song;
}

}  // namespace lyrics::cli
