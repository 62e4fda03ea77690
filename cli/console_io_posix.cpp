// Standard output and error on Linux: a path's bytes that are no UTF-8 go out as the very bytes
// they were.
#include "cli/cli_io.h"
#include "cli/console_stream.h"
#include "common/text_codec.h"

namespace lyrics::cli {

bool WriteStream(std::FILE* stream, std::wstring_view text) {
    const std::string bytes = EncodePathBytes(text);
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

std::optional<std::wstring> ConsoleIo::ReadLine() { return ReadByteLine(); }

}  // namespace lyrics::cli
