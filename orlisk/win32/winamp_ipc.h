// Winamp's public interface for other programs: SendMessage(winamp, kWmWinampIpc, data, id).
// Written once for Orlisk's adapter and for the stand-in Winamp of the tests.
#pragma once

#include <windows.h>

namespace lyrics::orlisk::win32 {

inline constexpr UINT kWmWinampIpc = WM_USER;
inline constexpr LPARAM kIpcGetVersion = 0;
inline constexpr LPARAM kIpcIsPlaying = 104;
inline constexpr LPARAM kIpcSetPlaylistPos = 121;
inline constexpr LPARAM kIpcGetListPos = 125;
inline constexpr LPARAM kIpcGetPlaylistTitleW = 213;

// IPC_ISPLAYING's answers.
inline constexpr LRESULT kStopped = 0;
inline constexpr LRESULT kPlaying = 1;
inline constexpr LRESULT kPaused = 3;

}  // namespace lyrics::orlisk::win32
