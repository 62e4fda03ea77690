// Whole-file reads and writes with failures as values; the message names the file and the reason.
#pragma once

#include <string>
#include <string_view>

#include "common/result.h"

namespace lyrics {

// what: how the file is named in a message ("playlist", "unmatch list").
Result<std::string> ReadFileBytes(const std::wstring& path, std::wstring_view what);

// Creates the file or empties it, writes the bytes and closes it. A file that could not be written
// whole is removed again, so no half-written file is left behind.
Status WriteFileBytes(const std::wstring& path, std::string_view bytes, std::wstring_view what);

}  // namespace lyrics
