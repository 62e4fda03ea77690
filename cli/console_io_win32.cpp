// Standard output, error and input on Windows: a console takes and gives wide text as it stands;
// a pipe or file gets UTF-8.
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "cli/cli_io.h"
#include "cli/console_stream.h"
#include "common/text_codec.h"

namespace lyrics::cli {

namespace {

// A console hands over what was typed as wide text; read as bytes it would come in the console's
// OEM code page, which is not UTF-8. Ctrl+Z at the start of a line ends the input, as in every
// console program.
std::optional<std::wstring> ReadConsoleLine(HANDLE input) {
    std::wstring line;
    wchar_t buffer[512];
    for (;;) {
        DWORD got = 0;
        if (!ReadConsoleW(input, buffer, static_cast<DWORD>(std::size(buffer)), &got, nullptr) || got == 0) break;
        line.append(buffer, got);
        if (line.back() == L'\n') break;
    }
    if (line.empty() || line.front() == L'\x1a') return std::nullopt;
    if (line.back() == L'\n') line.pop_back();
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    return line;
}

}  // namespace

bool WriteStream(std::FILE* stream, std::wstring_view text) {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        // Older consoles refuse one large write outright; pieces never split a surrogate pair.
        constexpr std::size_t kPiece = 8192;
        while (!text.empty()) {
            std::size_t take = std::min(kPiece, text.size());
            if (take < text.size() && IS_HIGH_SURROGATE(text[take - 1])) --take;
            DWORD written = 0;
            if (!WriteConsoleW(handle, text.data(), static_cast<DWORD>(take), &written, nullptr) || written == 0) return false;
            text.remove_prefix(written);
        }
        return true;
    }
    const std::string bytes = EncodeUtf8(text);
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

std::optional<std::wstring> ConsoleIo::ReadLine() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input != INVALID_HANDLE_VALUE && input != nullptr && GetConsoleMode(input, &mode)) return ReadConsoleLine(input);
    return ReadByteLine();
}

}  // namespace lyrics::cli
