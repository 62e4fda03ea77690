#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "cli/cli_io.h"
#include "common/text_codec.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lyrics::cli {

namespace {

void Write(std::FILE* stream, std::wstring_view text) {
#ifdef _WIN32
    // A console takes wide text as it stands; a pipe or file gets UTF-8.
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
            if (!WriteConsoleW(handle, text.data(), static_cast<DWORD>(take), &written, nullptr) || written == 0) break;
            text.remove_prefix(written);
        }
        return;
    }
#endif
    const std::string bytes = EncodeUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

#ifdef _WIN32
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
#endif

}  // namespace

ConsoleIo::ConsoleIo() = default;

void ConsoleIo::Out(std::wstring_view text) { Write(stdout, text); }

void ConsoleIo::Err(std::wstring_view text) {
    std::fflush(stdout);
    Write(stderr, text);
    std::fflush(stderr);
}

std::optional<std::wstring> ConsoleIo::ReadLine() {
#ifdef _WIN32
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input != INVALID_HANDLE_VALUE && input != nullptr && GetConsoleMode(input, &mode)) return ReadConsoleLine(input);
#endif
    std::string line;
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!any) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return DecodeUtf8Lenient(line);
}

}  // namespace lyrics::cli
