// Crossing between the program's text (std::wstring) and file-system paths.
// On Windows paths are wide already. On Linux a path is bytes: valid UTF-8 becomes characters and
// any other byte an escape that goes back to the same byte (common/text_codec.h), so a path given
// as bytes reaches the system unchanged; shown to a person, such a byte reads as Windows-1252.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace lyrics {

std::filesystem::path PathFromText(std::wstring_view text);
std::wstring TextFromPath(const std::filesystem::path& path);
// A path as text for a message or a list: escaped bytes shown as Windows-1252 characters.
std::wstring DisplayPath(std::wstring_view text);

// The platform's path separator as text: "\" on Windows, "/" elsewhere.
std::wstring_view PathSeparator() noexcept;

// folder + separator + name, with no doubled separator when the folder already ends in one.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The system's reason for an error code, as text for a message, without its closing full stop.
// On Windows the system's own words for the error in the language of Windows, from the Win32
// error ("Access is denied"), also for the C library's error numbers it has one for; elsewhere
// the C library's (strerror: "Permission denied").
std::wstring ReasonText(const std::error_code& error);
// The system's words for error as it gives them, closing full stop and line end included: the
// part of ReasonText each system has its own.
std::wstring SystemReason(const std::error_code& error);

}  // namespace lyrics
