// MediaSession: the song that Windows' media controls show now (the panel above the volume
// flyout, fed by Spotify, foobar2000, browsers and the other players that publish their song).
//
// The adapter keeps the current song as a snapshot, kept up to date on a thread of its own; the
// logic reads that snapshot and never waits for the media controls.
#pragma once

#include <optional>

#include "orlisk/player_song.h"

namespace lyrics::orlisk {

class MediaSession {
public:
    virtual ~MediaSession() = default;
    // Begins following the media controls; returns at once. Where the system has none, nothing
    // happens and CurrentSong() stays empty.
    virtual void Follow() = 0;
    // The song of the current session as last read: nothing while there is no session, before
    // the first reading, and where the system has no media controls.
    virtual std::optional<PlayerSong> CurrentSong() = 0;
};

}  // namespace lyrics::orlisk
