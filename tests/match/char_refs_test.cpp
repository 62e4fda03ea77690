#include "match/char_refs.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/match/oracles/reference_decoding.h"

namespace lyrics::match {
namespace {

TEST(CharRefTable, NamedReferencesComeFirstThenEveryCodeFrom80ToFF) {
    const CharRefTable& table = CharRefs();
    EXPECT_EQ(table[0].reference, L"&quot;");
    EXPECT_EQ(table[1].reference, L"&amp;");
    EXPECT_EQ(table[2].reference, L"&apos;");
    EXPECT_EQ(table[3].reference, L"&lt;");
    EXPECT_EQ(table[4].reference, L"&gt;");
    EXPECT_EQ(table[5].reference, L"&#x80;");
    EXPECT_EQ(table[5].character, L'\u20ac');
    EXPECT_EQ(table[5 + 0x2a].reference, L"&#xaa;");
    EXPECT_EQ(table[132].reference, L"&#xff;");
    EXPECT_EQ(table[132].character, L'\u00ff');
}

TEST(CharRefTable, CapitalsOfWindows1252DecodeToSmallLetters) {
    const CharRefTable& table = CharRefs();
    auto character = [&](unsigned code) { return table[5 + code - 0x80].character; };
    EXPECT_EQ(character(0x8a), L'\u0161');
    EXPECT_EQ(character(0x9a), L'\u0161');
    EXPECT_EQ(character(0x8c), L'\u0153');
    EXPECT_EQ(character(0x8e), L'\u017e');
    EXPECT_EQ(character(0x9f), L'\u00ff');
    EXPECT_EQ(character(0xc9), L'\u00e9');
    EXPECT_EQ(character(0xc0), L'\u00e0');
    EXPECT_EQ(character(0xde), L'\u00fe');
    EXPECT_EQ(character(0xd7), L'\u00d7');
    EXPECT_EQ(character(0xdf), L'\u00df');
    EXPECT_EQ(character(0x81), L'\u0081');
    EXPECT_EQ(character(0x85), L'\u2026');
    EXPECT_EQ(character(0x86), L'\u2020');
    EXPECT_EQ(character(0xa0), L'\u00a0');
}

TEST(DecodeCharRefs, ReplacesTableReferencesInAnyLetterCase) {
    EXPECT_EQ(DecodeCharRefs(L"No references"), L"No references");
    EXPECT_EQ(DecodeCharRefs(L"Salt &amp; Pepper"), L"Salt & Pepper");
    EXPECT_EQ(DecodeCharRefs(L"&QUOT;Hi&Quot; &LT;3 &gt; &apos;"), L"\"Hi\" <3 > '");
    EXPECT_EQ(DecodeCharRefs(L"Caf&#xE9; Caf&#XC9; Caf&#xc9;"), L"Caf\u00e9 Caf\u00e9 Caf\u00e9");
    EXPECT_EQ(DecodeCharRefs(L"&#x85;&#x86;&#x9f;&#xa0;"), L"\u2026\u2020\u00ff\u00a0");
}

TEST(DecodeCharRefs, LeavesWhatIsNotInTheTable) {
    for (const wchar_t* title : {L"&#x7f;", L"&#x100;", L"&#233;", L"&#xe;", L"&#x0e9;", L"&nbsp;", L"&eacute;", L"A & B",
                                 L"&amp", L"&#xe9", L"&;", L"&&&", L"&#x;", L"&# xe9;"}) {
        EXPECT_EQ(DecodeCharRefs(title), title);
    }
}

TEST(DecodeCharRefs, TextMadeByAReplacementIsDecodedAgain) {
    EXPECT_EQ(DecodeCharRefs(L"&amp;lt;"), L"<");
    EXPECT_EQ(DecodeCharRefs(L"&amp;amp;amp;"), L"&");
    EXPECT_EQ(DecodeCharRefs(L"&amp;#xe9;"), L"\u00e9");
    EXPECT_EQ(DecodeCharRefs(L"&amp;&amp;;"), L"&&;");
    EXPECT_EQ(DecodeCharRefs(L"&amp;l&amp;t;"), L"&l&t;");
}

TEST(DecodeCharRefs, ManyReferencesEachBecomeOneCharacter) {
    std::wstring title;
    for (int i = 0; i < 1000; ++i) title += L"&#xe9;&amp;";
    const std::wstring decoded = DecodeCharRefs(title);
    ASSERT_EQ(decoded.size(), 2000u);
    EXPECT_EQ(decoded.substr(0, 4), L"\u00e9&\u00e9&");
}

TEST(DecodeCharRefs, AgreesWithTheRestartRuleOnRandomTitles) {
    const std::vector<std::wstring> pieces = {L"&",     L"amp;", L"&amp;", L"AMP;",  L"lt;", L"&#x", L"&#X", L"e9;",
                                              L"C9;",   L"9f;",  L"7f;",   L"quot;", L"a",   L"#",   L"x",   L";",
                                              L"&quot", L" ",    L"gt",    L"apos;", L"&l",  L"t;"};
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        std::wstring title;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) title += pieces[random() % pieces.size()];
        ASSERT_EQ(DecodeCharRefs(title), oracles::ReferenceDecodeCharRefs(title)) << "round " << round;
    }
}

}  // namespace
}  // namespace lyrics::match
