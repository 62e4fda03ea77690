// Lyrics files and their Notepad windows: which path the shell gets for a song, in which window
// state, and under which captions Notepad shows it. Pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lyrics::orlisk {

inline constexpr std::wstring_view kNotepadSuffix = L" - Notepad";  // lyricsCaption = title + this
inline constexpr std::wstring_view kTxtNotepadSuffix = L".txt - Notepad";
inline constexpr std::wstring_view kLastOpened = L"Last Opened: ";
inline constexpr std::wstring_view kCouldNotOpen = L"Could not open file: ";

// The show command for optSize's index: Normal 1, Minimized 6, Maximized 3; 0 (hide) for an
// index that selects no button.
int ShowCommandForSize(int sizeIndex);

// Whether a title may become a file name in the lyrics folder: it must not reach outside it
// ("\", "/" or ":" in it, or "." or "..").
bool TitleStaysInFolder(std::wstring_view title);

// folder + title + ".txt", joined unchanged (the folder normally ends in "\"); nothing when the
// folder is empty or the title would leave it.
std::optional<std::wstring> LyricsPath(std::wstring_view folder, std::wstring_view title);

// lyricsCaption for a title, and the title back from it (the caption without its last 10
// characters; empty for a caption shorter than that).
std::wstring LyricsCaptionFor(std::wstring_view title);
std::wstring TitleFromLyricsCaption(std::wstring_view lyricsCaption);

}  // namespace lyrics::orlisk
