// The song a media player publishes (Windows' media controls; MPRIS on Linux) and what the lyrics
// tools make of it: the names its lyrics file may have, the file that opens, and whether a new
// reading is another song. Pure functions over plain values, shared by Orlisk and `lyrics follow`.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lyrics::orlisk {

struct PlayerSong {
    std::wstring player;  // who publishes it: an app id, or a bus name's last part
    std::wstring artist;  // as the player gives it; empty when it gives none
    std::wstring title;
};

// Whether a reading names a song: a title of blanks alone (players publish empty fields for a
// moment while a song starts) does not.
bool NamesASong(const PlayerSong& song);

// Whether two readings are the same song: the same artist and title, whoever plays them.
bool IsSameSong(const PlayerSong& a, const PlayerSong& b);

// The names (without ".txt") its lyrics file may have, best first: "Artist - Title", as Winamp
// names songs by default, then the title alone; only the title when there is no artist.
std::vector<std::wstring> LyricsNamesOf(const PlayerSong& song);

// The lyrics of a player's song in a folder: the name it goes by (the tip, "no lyrics: ...") and
// the path to open. The first name whose file exists wins; when none exists, the first name, with
// the path that would hold it. No path when that name cannot stay inside the folder.
struct PlayerLyrics {
    std::wstring name;
    std::optional<std::wstring> path;
};
PlayerLyrics ChoosePlayerLyrics(std::wstring_view folder, const PlayerSong& song,
                                const std::function<bool(const std::wstring& path)>& fileExists);

// Follows the readings of the players over time. A reading that names a song other than the last
// song seen is a change (the first song is one); a pause, a seek or the same song again is none,
// and a reading without a song (no session, blank fields) changes nothing and keeps the last song.
class PlayerSongTracker {
public:
    bool Changed(const std::optional<PlayerSong>& reading);
    const std::optional<PlayerSong>& LastSong() const noexcept { return last_; }

private:
    std::optional<PlayerSong> last_;
};

}  // namespace lyrics::orlisk
