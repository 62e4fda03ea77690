#include "cli/platform_commands.h"

namespace lyrics::cli {

std::wstring PlatformUsageText() { return {}; }

std::optional<int> RunPlatformCommand(const std::wstring&, const std::vector<std::wstring>&, CliIo&) { return std::nullopt; }

}  // namespace lyrics::cli
