// The lyrics command-line tool: its commands over the engine, reachable from tests without a process.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_io.h"

namespace lyrics::cli {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;   // a file could not be read or written
inline constexpr int kExitBadInput = 2;  // the inputs fail the check, or the command line is wrong

// args: the arguments after the program's name.
int RunLyrics(const std::vector<std::wstring>& args, CliIo& io);

// Commands, each given the arguments after its name.
int MatchCommand(const std::vector<std::wstring>& args, CliIo& io);
int TitlesCommand(const std::vector<std::wstring>& args, CliIo& io);
int CaptionCommand(const std::vector<std::wstring>& args, CliIo& io);

}  // namespace lyrics::cli
