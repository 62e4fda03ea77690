#include "orlisk/player_song.h"

#include "orlisk/lyrics_files.h"

namespace lyrics::orlisk {

bool NamesASong(const PlayerSong& song) { return song.title.find_first_not_of(L" \t") != std::wstring::npos; }

bool IsSameSong(const PlayerSong& a, const PlayerSong& b) { return a.artist == b.artist && a.title == b.title; }

std::vector<std::wstring> LyricsNamesOf(const PlayerSong& song) {
    if (song.artist.empty()) return {song.title};
    return {song.artist + L" - " + song.title, song.title};
}

PlayerLyrics ChoosePlayerLyrics(std::wstring_view folder, const PlayerSong& song,
                                const std::function<bool(const std::wstring& path)>& fileExists) {
    const std::vector<std::wstring> names = LyricsNamesOf(song);
    for (const std::wstring& name : names) {
        std::optional<std::wstring> path = LyricsPath(folder, name);
        if (path && fileExists(*path)) return {name, std::move(path)};
    }
    return {names.front(), LyricsPath(folder, names.front())};
}

bool PlayerSongTracker::Changed(const std::optional<PlayerSong>& reading) {
    if (!reading || !NamesASong(*reading)) return false;
    if (last_ && IsSameSong(*last_, *reading)) return false;
    last_ = reading;
    return true;
}

}  // namespace lyrics::orlisk
