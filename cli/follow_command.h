// `lyrics playing` and `lyrics follow` over the player and opener ports: what they print and open.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_io.h"
#include "cli/player_watch.h"
#include "common/result.h"

namespace lyrics::cli {

struct PlayingOptions {
    std::optional<std::wstring> player;  // --player NAME
};

struct FollowOptions {
    std::wstring folder;  // --folder DIR, made absolute
    std::optional<std::wstring> player;
    bool open = false;    // --open; else --print
    bool editor = false;  // --editor: $VISUAL or $EDITOR rather than xdg-open
};

inline constexpr std::wstring_view kPlayingUsage = L"Usage: lyrics playing [--player NAME]\n";
inline constexpr std::wstring_view kFollowUsage =
    L"Usage: lyrics follow --folder DIR [--open | --print] [--player NAME] [--editor]\n";

Result<PlayingOptions> ParsePlayingOptions(const std::vector<std::wstring>& args);
Result<FollowOptions> ParseFollowOptions(const std::vector<std::wstring>& args);

// Prints "NAME<TAB>PLAYER" for the song that plays; exit 1 and the reason when nothing plays.
int RunPlaying(const PlayingOptions& options, CliIo& io, PlayerWatch& watch);
// Prints (or opens) the lyrics of the song that plays and of every song after it until the
// watch ends; exit 0 then.
int RunFollow(const FollowOptions& options, CliIo& io, PlayerWatch& watch, LyricsOpener& opener);

}  // namespace lyrics::cli
