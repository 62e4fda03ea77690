// DecodeCharRefs, a one-pass decoder, must give exactly what the restart rule gives.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/text_codec.h"
#include "match/char_refs.h"
#include "tests/match/oracles/reference_decoding.h"

namespace {

// Bytes become characters over an alphabet where references are likely: ASCII as it is, the high
// half as Windows-1252 (accented capitals among them), and 0xFF as a character beyond 16 bits.
std::wstring TitleFrom(const std::uint8_t* data, std::size_t size) {
    std::wstring title;
    title.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        title += b == 0xFF ? static_cast<wchar_t>(0x1F600) : b < 0x80 ? static_cast<wchar_t>(b) : lyrics::Windows1252Char(b);
    }
    return title;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;  // the reference is quadratic
    const std::wstring title = TitleFrom(data, size);
    const std::wstring fast = lyrics::match::DecodeCharRefs(title);
    const std::wstring plain = lyrics::match::oracles::ReferenceDecodeCharRefs(title);
    if (fast != plain) {
        std::fprintf(stderr, "DecodeCharRefs and the restart rule differ (%zu and %zu characters)\n", fast.size(), plain.size());
        std::abort();
    }
    return 0;
}
