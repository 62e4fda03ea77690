// Windows-1252 as the 8-bit code page where the system has no ANSI code page.
#include "common/text_codec.h"

#include <array>

namespace lyrics {

namespace {

// Byte for each character of U+0000..U+00FF, and the few above that Windows-1252 holds.
char ByteFor(wchar_t c, bool& representable) {
    representable = true;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (unsigned b = 0x80; b <= 0x9F; ++b) {
        if (Windows1252Char(static_cast<unsigned char>(b)) == c) return static_cast<char>(b);
    }
    representable = false;
    return '?';
}

}  // namespace

std::wstring DecodeAnsi(std::string_view bytes) {
    std::wstring out(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = byte < 0x80 ? static_cast<wchar_t>(byte) : Windows1252Char(byte);  // ASCII without a call
    }
    return out;
}

std::string EncodeAnsi(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (const wchar_t c : text) {
        bool representable = false;
        out += ByteFor(c, representable);
    }
    return out;
}

}  // namespace lyrics
