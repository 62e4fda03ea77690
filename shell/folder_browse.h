// BrowseFolder: the shell's folder-browse dialog, for choosing the lyrics folder.
//
// Both programs call it from the "..." button beside their folder box, each with its own prompt
// (Match: "Lyrics Folder...", Orlisk: "Lyrics folder..."). The thread must have COM initialised
// as a single-threaded apartment.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics::shell {

// Shows the dialog modal to owner, offering file-system folders only, with startFolder selected when
// it names a folder that exists (the box's folder, its quotes taken off by the caller); at the
// desktop otherwise. Returns the chosen folder's path exactly as the shell gives it, or empty text
// when the user cancelled or chose an item that has no file-system path.
std::wstring BrowseFolder(HWND owner, const std::wstring& prompt, const std::wstring& startFolder);

}  // namespace lyrics::shell
