// Reading MPRIS's properties out of a message: the a{sv} of a GetAll reply or of a
// PropertiesChanged signal, its strings UTF-8 as D-Bus requires.
#pragma once

#include <string>

#include "cli/mpris/sd_bus_handles.h"
#include "cli/player_watch.h"

namespace lyrics::cli::mpris {

inline constexpr const char* kMprisPrefix = "org.mpris.MediaPlayer2.";
inline constexpr const char* kMprisPath = "/org/mpris/MediaPlayer2";
inline constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

// The part of an MPRIS bus name after the prefix; empty for any other name.
std::wstring PlayerNameOf(const std::string& busName);

// Reads an a{sv} of the Player interface's properties at the message's position into update
// (PlaybackStatus and Metadata: xesam:title, xesam:artist joined with ", "); others are skipped.
// A negative errno when the message does not hold one.
int ReadPlayerProperties(sd_bus_message* message, PlayerUpdate& update);

}  // namespace lyrics::cli::mpris
