// Paths on Linux are bytes: valid UTF-8 becomes characters, any other byte an escape that goes back
// to the same byte. The reasons for failed file calls are the C library's words (strerror).
#include "common/path_text.h"
#include "common/text_codec.h"

namespace lyrics {

std::filesystem::path PathFromText(std::wstring_view text) { return std::filesystem::path(EncodePathBytes(text)); }

std::wstring TextFromPath(const std::filesystem::path& path) { return DecodePathBytes(path.native()); }

std::wstring DisplayPath(std::wstring_view text) { return ShowEscapedBytes(text); }

std::wstring_view PathSeparator() noexcept { return L"/"; }

std::wstring SystemReason(const std::error_code& error) { return DecodeUtf8Lenient(error.message()); }

}  // namespace lyrics
