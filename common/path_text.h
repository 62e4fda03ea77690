// Crossing between the program's text (std::wstring) and file-system paths.
// On Windows paths are wide already; on Linux file names are UTF-8, and bytes that are not valid
// UTF-8 are taken as Windows-1252, one character each.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace lyrics {

std::filesystem::path PathFromText(std::wstring_view text);
std::wstring TextFromPath(const std::filesystem::path& path);

// The platform's path separator as text: "\" on Windows, "/" elsewhere.
std::wstring_view PathSeparator() noexcept;

// folder + separator + name, with no doubled separator when the folder already ends in one.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The system's reason for an error code, as text for a message, without its closing full stop.
// On Windows the system's own words for the error in the language of Windows, from the Win32
// error ("Access is denied"), also for the C library's error numbers it has one for; elsewhere
// the C library's (strerror: "Permission denied").
std::wstring ReasonText(const std::error_code& error);

// The error the last failed C library file call left: on Windows the Win32 error behind it where
// the library kept one, whose words say more ("... being used by another process" where errno has
// only EACCES); else errno (EIO when it holds none).
std::error_code LastFileError() noexcept;
// Forgets the last error, before a file call whose failure LastFileError is to tell.
void ClearFileError() noexcept;

}  // namespace lyrics
