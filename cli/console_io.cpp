#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/cli_io.h"
#include "cli/console_stream.h"
#include "common/path_text.h"
#include "common/text_codec.h"

namespace lyrics::cli {

ConsoleIo::ConsoleIo() = default;

void ConsoleIo::Out(std::wstring_view text) {
    errno = 0;
    if (!WriteStream(stdout, text) && outError_ == 0) outError_ = errno != 0 ? errno : EIO;
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
    static_cast<void>(WriteStream(stderr, text));  // with standard error lost as well, nothing is left to tell
    std::fflush(stderr);
}

std::optional<std::wstring> ReadByteLine() {
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
