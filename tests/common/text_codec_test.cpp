#include "common/text_codec.h"

#include <gtest/gtest.h>

#include "common/ansi_fit.h"
#include "common/lower_case.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

// An undefined code is the control character of the same number.
TEST(Windows1252, HighControlRangeAndUndefinedCodes) {
    const testing::Row<unsigned char, wchar_t> rows[] = {{0x80, L'\u20ac'}, {0x81, L'\u0081'}, {0x8d, L'\u008d'},
                                                         {0x8f, L'\u008f'}, {0x90, L'\u0090'}, {0x9d, L'\u009d'},
                                                         {0x9f, L'\u0178'}, {0xe9, L'\u00e9'}, {0x00, L'\0'}};
    testing::ExpectEveryRow(Windows1252Char, rows);
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

// The same expectations hold on Linux (towlower) and under Windows (CharLowerBuffW): a title matches
// the same files on both.
TEST(LowerCase, EveryScriptsOneToOneCasePairsAndNothingElse) {
    EXPECT_EQ(LowerCase(L"\u03a9\u0394\u0389 \u03a3\u0391\u03a3 \u03ab"),
              L"\u03c9\u03b4\u03ae \u03c3\u03b1\u03c3 \u03cb");                                    // Greek
    EXPECT_EQ(LowerCase(L"\u0416\u0401\u042f \u0490\u0406"), L"\u0436\u0451\u044f \u0491\u0456");  // Cyrillic
    EXPECT_EQ(LowerCase(L"\u0141\u0150\u017b\u0100\u01c4 \u1e9e\u0218"), L"\u0142\u0151\u017c\u0101\u01c6 \u1e9e\u0219");
    EXPECT_EQ(LowerCase(L"\u0531\u0556 \u24b6 \uff21\uff3a"), L"\u0561\u0586 \u24d0 \uff41\uff5a");  // Armenian, circled, wide
    EXPECT_EQ(LowerCase(L"\U00010400\U0001E900"), L"\U00010428\U0001E922");  // Deseret, Adlam: beyond U+FFFF
    // Small letters and letters without case stay, final sigma included.
    EXPECT_EQ(LowerCase(L"\u03c2\u03c3 \u65e5\u672c \u00df\u0131"), L"\u03c2\u03c3 \u65e5\u672c \u00df\u0131");
    // Characters whose small letter is another character's pair: the dotted I (whose full
    // mapping is two characters), the Kelvin, Ohm and Angstrom signs, the capital sharp s, the
    // Greek capital theta symbol and the title-case digraphs stay as they are.
    EXPECT_EQ(LowerCase(L"\u0130\u212a\u2126\u212b\u1e9e\u03f4\u01c5\u01c8\u01f2"),
              L"\u0130\u212a\u2126\u212b\u1e9e\u03f4\u01c5\u01c8\u01f2");
    const std::wstring pair(L"\U00010400");
    EXPECT_EQ(LowerCase(pair).size(), pair.size()) << "one character stays one character";
}

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
