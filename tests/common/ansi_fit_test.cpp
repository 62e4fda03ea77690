#include "common/ansi_fit.h"

#include <gtest/gtest.h>

#include "common/text_codec.h"

namespace lyrics {
namespace {

// The expectations are those of Windows-1252: the portable table, and the ANSI code page of Wine
// and of western Windows installations.
// Read by what the codec makes of the bytes where Windows-1252 differs from its neighbours
// (Windows-1250 and 1254 among them).
bool EightBitIsWindows1252() { return DecodeAnsi("\x80\x9f\xd0\xf0\x8a") == L"\u20ac\u0178\u00d0\u00f0\u0160"; }

TEST(AnsiFit, CharactersOfTheCodePageAreAppendedAsTheirBytes) {
    if (!EightBitIsWindows1252()) GTEST_SKIP() << "another ANSI code page";
    std::string bytes = "kept|";
    EXPECT_TRUE(AppendAnsiExactly(bytes, L"Caf\u00e9 \u20ac \u0178 Who? \u00ff"));
    EXPECT_EQ(bytes, "kept|Caf\xe9 \x80 \x9f Who? \xff");
    // Every byte's character comes back as that byte, the five undefined codes included.
    std::wstring all;
    std::string want;
    for (int b = 1; b < 256; ++b) {
        all += Windows1252Char(static_cast<unsigned char>(b));
        want += static_cast<char>(b);
    }
    std::string got;
    ASSERT_TRUE(AppendAnsiExactly(got, all));
    EXPECT_EQ(got, want);
    EXPECT_TRUE(AppendAnsiExactly(got, std::wstring(L"a\0b", 3)));
}

TEST(AnsiFit, ACharacterOutsideTheCodePageDoesNotFitNorDoesALookAlike) {
    if (!EightBitIsWindows1252()) GTEST_SKIP() << "another ANSI code page";
    for (const std::wstring text : {L"\u03a3\u0391\u03a3", L"\u65e5\u672c", L"Caf\u00e9 \u0101", L"\u0141\u00f3d\u017a",
                                    L"8 \u221e", L"x\U0001F600y", L"\u0080", L"\u2126"}) {
        std::string bytes;
        EXPECT_FALSE(AppendAnsiExactly(bytes, text)) << ::testing::PrintToString(EncodeUtf8(text));
    }
}

}  // namespace
}  // namespace lyrics
