// The kinds of playlist taken, by the ending of their names: the one table from which the input
// check, the reader's choice of format, the file picker's filter and every usage text are made.
// Winamp saves a playlist whose titles need more than the 8-bit code page as ".m3u8", an ".m3u" in
// UTF-8, and it is read as an ".m3u".
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lyrics::match {

enum class PlaylistType { Pls, M3u, B4s, Unknown };

struct PlaylistKind {
    std::wstring_view extension;  // with its dot, lower-case
    PlaylistType type;
};

// In the order the picker's filter and the usage texts name them.
inline constexpr std::array<PlaylistKind, 4> kPlaylistKinds{{
    {L".m3u", PlaylistType::M3u},
    {L".m3u8", PlaylistType::M3u},
    {L".pls", PlaylistType::Pls},
    {L".b4s", PlaylistType::B4s},
}};

// The kind whose extension ends the path, in any letter case; Unknown when none does.
PlaylistType PlaylistTypeByExtension(std::wstring_view path);

// ".m3u, .m3u8, .pls or .b4s": the extensions for a sentence, the last joined by lastJoint.
std::wstring PlaylistExtensionList(std::wstring_view lastJoint = L" or ");

// "*.m3u;*.m3u8;*.pls;*.b4s": the extensions as a file dialog's pattern list.
std::wstring PlaylistPatternList();

}  // namespace lyrics::match
