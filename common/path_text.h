// Crossing between the program's text (std::wstring) and file-system paths.
// On Windows paths are wide already; on Linux file names are UTF-8, and bytes that are not valid
// UTF-8 are taken as Windows-1252, one character each.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lyrics {

std::filesystem::path PathFromText(std::wstring_view text);
std::wstring TextFromPath(const std::filesystem::path& path);

// The platform's path separator as text: "\" on Windows, "/" elsewhere.
std::wstring_view PathSeparator() noexcept;

// folder + separator + name, with no doubled separator when the folder already ends in one.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The system's reason for an error code, as text for a message ("Access is denied.").
std::wstring ReasonText(const std::error_code& error);

}  // namespace lyrics
