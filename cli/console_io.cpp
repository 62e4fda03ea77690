#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <string>

#include "cli/cli_io.h"
#include "common/path_text.h"
#include "common/text_codec.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lyrics::cli {

namespace {

// False when the text could not be handed on whole.
bool Write(std::FILE* stream, std::wstring_view text) {
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
            if (!WriteConsoleW(handle, text.data(), static_cast<DWORD>(take), &written, nullptr) || written == 0) return false;
            text.remove_prefix(written);
        }
        return true;
    }
    const std::string bytes = EncodeUtf8(text);
#else
    const std::string bytes = EncodePathBytes(text);
#endif
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
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

void ConsoleIo::Out(std::wstring_view text) {
    errno = 0;
    if (!Write(stdout, text) && outError_ == 0) outError_ = errno != 0 ? errno : EIO;
}

std::wstring ConsoleIo::FinishOut() {
    errno = 0;
    if (std::fflush(stdout) != 0 && outError_ == 0) outError_ = errno != 0 ? errno : EIO;
    if (std::ferror(stdout) && outError_ == 0) outError_ = EIO;
    if (outError_ == 0) return {};
    return ReasonText(std::error_code(outError_, std::generic_category()));
}

void ConsoleIo::Err(std::wstring_view text) {
    std::fflush(stdout);
    static_cast<void>(Write(stderr, text));  // with standard error lost as well, nothing is left to tell
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
    return DecodePathBytes(line);
}

}  // namespace lyrics::cli
