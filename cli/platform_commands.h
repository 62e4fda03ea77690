// The commands one system has and the other has not, chosen by the build: lyrics playing and
// lyrics follow on Linux, none on Windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_io.h"

namespace lyrics::cli {

// Their lines of the usage text, which stand after lyrics caption's; empty where there are none.
std::wstring PlatformUsageText();

// Runs the command named command with the arguments after its name; nothing when this system has
// no command of that name.
std::optional<int> RunPlatformCommand(const std::wstring& command, const std::vector<std::wstring>& args, CliIo& io);

}  // namespace lyrics::cli
