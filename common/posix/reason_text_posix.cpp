// The reasons for failed file calls in the C library's words (strerror), as `lyrics` gives them.
#include <cerrno>

#include "common/path_text.h"
#include "common/text_codec.h"

namespace lyrics {

std::wstring ReasonText(const std::error_code& error) {
    std::wstring text = DecodeUtf8Lenient(error.message());
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

}  // namespace lyrics
