#include "common/text_codec.h"

#include <gtest/gtest.h>

#include "common/lower_case.h"

namespace lyrics {
namespace {

TEST(Windows1252, HighControlRangeAndUndefinedCodes) {
    EXPECT_EQ(Windows1252Char(0x80), L'\u20ac');
    EXPECT_EQ(Windows1252Char(0x81), L'\u0081');  // undefined: the control character of the same number
    EXPECT_EQ(Windows1252Char(0x8d), L'\u008d');
    EXPECT_EQ(Windows1252Char(0x8f), L'\u008f');
    EXPECT_EQ(Windows1252Char(0x90), L'\u0090');
    EXPECT_EQ(Windows1252Char(0x9d), L'\u009d');
    EXPECT_EQ(Windows1252Char(0x9f), L'\u0178');
    EXPECT_EQ(Windows1252Char(0xe9), L'\u00e9');
    EXPECT_EQ(Windows1252Char(0x00), L'\0');
}

// Wine's and Windows' western ANSI code page is 1252 too, so these hold on both builds.
TEST(AnsiCodec, RoundTripsEveryByteAndMarksWhatItCannotHold) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::wstring decoded = DecodeAnsi(all);
    ASSERT_EQ(decoded.size(), 256u);
    EXPECT_EQ(decoded[0xe9], L'\u00e9');
    EXPECT_EQ(decoded[0x80], L'\u20ac');
    EXPECT_EQ(EncodeAnsi(L"Caf\u00e9 \u20ac"), "Caf\xe9 \x80");
    EXPECT_EQ(EncodeAnsi(L"\u65e5\u672c"), "??");
}

TEST(Utf8Lenient, ValidSequencesDecodeInvalidBytesFallBackToWindows1252) {
    EXPECT_EQ(DecodeUtf8Lenient("Caf\xc3\xa9"), L"Caf\u00e9");
    EXPECT_EQ(DecodeUtf8Lenient("Caf\xe9"), L"Caf\u00e9");                // a lone Latin-1 byte
    EXPECT_EQ(DecodeUtf8Lenient("\xc3"), L"\u00c3");                      // truncated sequence
    EXPECT_EQ(DecodeUtf8Lenient("\xc0\xaf"), L"\u00c0\u00af");            // overlong form refused
    EXPECT_EQ(DecodeUtf8Lenient("\xed\xa0\x80"), L"\u00ed\u00a0\u20ac");  // encoded surrogate refused
    EXPECT_EQ(EncodeUtf8(L"Caf\u00e9 \u20ac"), "Caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(DecodeUtf8Lenient(EncodeUtf8(L"\u65e5\u672c")), L"\u65e5\u672c");
}

TEST(LowerCase, MapsOneCharacterToOneIncludingAccentedCapitals) {
    EXPECT_EQ(LowerCase(L"Blue MORNING"), L"blue morning");
    EXPECT_EQ(LowerCase(L"\u00c9T\u00c9 \u00c0 \u00d8"), L"\u00e9t\u00e9 \u00e0 \u00f8");
    EXPECT_EQ(LowerCase(L"\u0160\u017d\u0152"), L"\u0161\u017e\u0153");
    EXPECT_EQ(LowerCase(L"\u00df\u00d7 123 !?"), L"\u00df\u00d7 123 !?");
    EXPECT_EQ(LowerCase(L"").size(), 0u);
}

}  // namespace
}  // namespace lyrics
