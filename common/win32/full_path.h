// FullPath: a path as the system resolves it (GetFullPathNameW): relative to the current folder,
// trailing blanks and dots dropped from its last name, a device name as "\\.\" and the device.
#pragma once

#include <optional>
#include <string>

namespace lyrics {

// None when the system cannot resolve the path.
std::optional<std::wstring> FullPath(const std::wstring& path);

}  // namespace lyrics
