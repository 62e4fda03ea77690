// lyrics playing and lyrics follow over MPRIS on the session bus, each given the arguments after
// its name.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_io.h"

namespace lyrics::cli {

int PlayingCommand(const std::vector<std::wstring>& args, CliIo& io);
int FollowCommand(const std::vector<std::wstring>& args, CliIo& io);

}  // namespace lyrics::cli
