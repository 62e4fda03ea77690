// Playlist files of any size in each of the three formats, as Winamp writes them, built in memory
// from the same song names as the matching benchmarks (8-bit text, CR LF line ends).
#pragma once

#include <cstddef>
#include <string>

#include "match/playlist_reader.h"

namespace lyrics::match::bench {

std::string MakePlaylistBytes(PlaylistType type, std::size_t entries);

}  // namespace lyrics::match::bench
