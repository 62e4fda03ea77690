// Playlist names taken beside ".pls", ".m3u" and ".b4s": Winamp saves a playlist whose titles need
// more than the 8-bit code page as ".m3u8", an ".m3u" in UTF-8, and it is read as an ".m3u".
#pragma once

#include <string_view>

namespace lyrics::match {

// True when the path ends in ".m3u8", in any letter case.
bool EndsInM3u8(std::wstring_view path);

}  // namespace lyrics::match
