// Reads a Winamp playlist (.pls, .m3u, .m3u8, .b4s) into its titles, title count and playing time.
//
// The reader walks the file in a fixed stride of lines and cuts values out of lines at fixed
// markers and positions; a file laid out differently yields other or fewer titles, never an error.
// Once the first entry has been taken up, a step that fails (a line read past the end, a length that
// is no number, a sum beyond 32 bits) does nothing and the walk goes on. Only what fails before that
// is an error: the file cannot be read, or a Winamp 3 playlist has no entry count in its fourth line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "match/playlist_names.h"
#include "match/title_slots.h"

namespace lyrics::match {

// By the last three characters of the path, lower-cased: "pls", "m3u", "b4s"; a path ending in
// ".m3u8" is an .m3u (the kinds of match/playlist_names.h).
PlaylistType PlaylistTypeOf(std::wstring_view path);

struct Playlist {
    // One slot per line of the file (its LF count plus one); a slot holds a title or is blank.
    TitleSlots playlistTitles;
    // Title lines met (.pls, .m3u) or the count stated in the fourth line (.b4s).
    std::int64_t titleCount = 0;
    // Sum of the entries' lengths in whole seconds.
    std::int32_t totalSeconds = 0;
};

// Parses the bytes of a playlist file, in the encoding common/text_decoding.h chooses for them;
// path only names the playlist in a failure's message.
Result<Playlist> ParsePlaylist(std::string_view bytes, PlaylistType type, const std::wstring& path);

// Reads and parses the file at path; .b4s titles come out with their references decoded.
Result<Playlist> ReadPlaylist(const std::wstring& path);

}  // namespace lyrics::match
