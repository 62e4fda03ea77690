// Windows-1252 as the 8-bit code page: U+0000..U+007F and U+00A0..U+00FF are their own bytes, 0x80..
// 0x9F hold the 27 characters of the table and the five undefined codes' control characters.
#include "common/ansi_fit.h"

#include <cstdint>

#include "common/text_codec.h"

namespace lyrics {

namespace {

bool HighControlRangeByte(wchar_t c, char& byte) {
    for (unsigned b = 0x80; b <= 0x9F; ++b) {
        if (Windows1252Char(static_cast<unsigned char>(b)) == c) {
            byte = static_cast<char>(b);
            return true;
        }
    }
    return false;
}

}  // namespace

bool AppendAnsiExactly(std::string& out, std::wstring_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* bytes = out.data() + start;
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            *bytes++ = static_cast<char>(code);
        } else if (!HighControlRangeByte(c, *bytes++)) {
            out.resize(start);
            return false;
        }
    }
    return true;
}

}  // namespace lyrics
