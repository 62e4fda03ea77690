// What `lyrics playing` and `lyrics follow` need from the media players (MPRIS on the session bus
// on Linux) and from the desktop, as small ports: the command logic runs over fakes in the tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/result.h"
#include "orlisk/player_song.h"

namespace lyrics::cli {

// What a player published: the whole of it when listed, only the properties that changed in a
// change. player is the bus name's part after "org.mpris.MediaPlayer2.".
struct PlayerUpdate {
    std::wstring player;
    std::optional<std::wstring> status;      // PlaybackStatus: "Playing", "Paused", "Stopped"
    std::optional<orlisk::PlayerSong> song;  // Metadata's artist and title (either may be blank)
};

struct WatchEvent {
    enum class Kind {
        Update,      // a player published a change (update)
        Gone,        // a player left the bus (update.player)
        ChildEnded,  // a program the opener started has ended
        End,         // the watch is over: the bus went away or the user asked to stop (reason)
    };
    Kind kind = Kind::End;
    PlayerUpdate update;
    std::wstring reason;
};

class PlayerWatch {
public:
    virtual ~PlayerWatch() = default;
    // The players there now, each with its status and song, in the bus's order.
    virtual Result<std::vector<PlayerUpdate>> Players() = 0;
    // Waits for the next event; never returns without one.
    virtual WatchEvent Next() = 0;
};

// Opens a lyrics file with the desktop's program without waiting for it.
class LyricsOpener {
public:
    virtual ~LyricsOpener() = default;
    virtual Status Open(const std::wstring& path) = 0;
    // Collects the programs that have ended; the reason for each that failed.
    virtual std::vector<std::wstring> Reap() = 0;
};

}  // namespace lyrics::cli
