// PickPlaylistFile: the common open-file dialog, for choosing a Winamp playlist.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics::shell {

// Shows "Open File" modal to owner with the one filter "Winamp Playlist (*.m3u;*.m3u8;*.pls;*.b4s)",
// made from match/playlist_names.h.
// Names need not exist; a name typed without an extension gets ".hrl". Returns the chosen file's
// full path as the dialog wrote it, or empty text when the user cancelled or the dialog failed.
std::wstring PickPlaylistFile(HWND owner);

}  // namespace lyrics::shell
