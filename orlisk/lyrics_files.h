// Lyrics files and their Notepad windows: which path the shell gets for a song, in which window
// state, and under which captions Notepad shows it. Pure functions.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "orlisk/shell.h"

namespace lyrics::orlisk {

inline constexpr std::wstring_view kNotepadSuffix = L" - Notepad";
inline constexpr std::wstring_view kTxtNotepadSuffix = L".txt - Notepad";
inline constexpr std::wstring_view kLastOpened = L"Last Opened: ";
inline constexpr std::wstring_view kCouldNotOpen = L"Could not open file: ";
inline constexpr std::wstring_view kLyricsStillOpen = L"Lyrics still open: ";

// The longest file name the file systems hold, and the longest path the shell takes (MAX_PATH
// less its terminator). Past them the shell has been seen to overrun its own buffers.
inline constexpr std::size_t kMaxFileNameLength = 255;
inline constexpr std::size_t kMaxShellPathLength = 259;

// The show command for optSize's index; Hidden for an index that selects no button.
ShowCommand ShowCommandForSize(int sizeIndex);

// Whether a title may become a file name in the lyrics folder: it must not reach outside it
// ("\", "/" or ":" in it, or "." or "..").
bool TitleStaysInFolder(std::wstring_view title);

// folder + title + ".txt", joined unchanged (the folder normally ends in "\"); nothing when the
// folder is empty, the title would leave it, title + ".txt" is longer than a file name may be, or
// the path is longer than the shell takes.
std::optional<std::wstring> LyricsPath(std::wstring_view folder, std::wstring_view title);

// The captions Notepad gives the window of a title's lyrics: title + " - Notepad" (first), and
// title + ".txt - Notepad" where file name extensions are shown.
std::array<std::wstring, 2> NotepadCaptions(std::wstring_view title);

}  // namespace lyrics::orlisk
