// ConsoleIo's part that each system has its own: how text reaches standard output or error, and
// how a line is read from standard input.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace lyrics::cli {

// Hands text to stream; false when it could not be handed on whole.
bool WriteStream(std::FILE* stream, std::wstring_view text);

// The next line of standard input read as bytes, without its line end; nothing at the end.
std::optional<std::wstring> ReadByteLine();

}  // namespace lyrics::cli
