// The ANSI code page as the 8-bit code page. Whether a character fits depends on the code page
// (single-byte, double-byte, or UTF-8 where the user chose it), so the test is the round trip
// itself: the bytes EncodeAnsi writes, without best fit, decoded again.
#include "common/ansi_fit.h"

#include "common/text_codec.h"

namespace lyrics {

bool AppendAnsiExactly(std::string& out, std::wstring_view text) {
    std::string bytes = EncodeAnsi(text);
    if (DecodeAnsi(bytes) != text) return false;
    out += bytes;
    return true;
}

}  // namespace lyrics
