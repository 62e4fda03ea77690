// The caption parser: the playing song's title from the caption of Winamp's main window.
//
// A caption yields a song when it starts with a number prefix of one to four characters and ". ",
// followed by the title and either " - Winamp..." or a status form ending in a parenthesised group
// with a colon, a status word such as "(playing)", or nothing. All searches are exact and
// case-sensitive; positions count from 1 (the first character). Pure functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lyrics::orlisk {

enum class CaptionKind { Title, NoTitle, Skipped };

struct CaptionResult {
    CaptionKind kind = CaptionKind::NoTitle;
    std::wstring title;  // empty unless kind is Title
};

// The windows of Winamp itself that are not its main window, and Orlisk's own title: Skipped.
bool IsFixedCaption(std::wstring_view caption);

// The title of the caption, NoTitle when it names no song (a computed length of 0 or below
// included), Skipped for a fixed caption.
CaptionResult TitleFromCaption(std::wstring_view caption);

// The title of a caption in the status form, fullStop being the 1-based position of the "." that
// ends the number prefix; empty when no character is left for a title.
std::wstring TitleFromStatusCaption(std::wstring_view caption, std::size_t fullStop);

}  // namespace lyrics::orlisk
