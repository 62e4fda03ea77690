#include "match/char_refs.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/match/oracles/reference_decoding.h"

namespace lyrics::match {
namespace {

TEST(CharRefTable, NamedReferencesComeFirstThenEveryCodeFrom80ToFF) {
    const CharRefTable& table = CharRefs();
    const std::vector<std::pair<std::size_t, std::wstring_view>> references = {
        {0, L"&quot;"}, {1, L"&amp;"},  {2, L"&apos;"},        {3, L"&lt;"},
        {4, L"&gt;"},   {5, L"&#x80;"}, {5 + 0x2a, L"&#xaa;"}, {132, L"&#xff;"}};
    for (const auto& [entry, reference] : references) EXPECT_EQ(table[entry].reference, reference) << entry;
    EXPECT_EQ(table[5].character, L'\u20ac');
    EXPECT_EQ(table[132].character, L'\u00ff');
}

TEST(CharRefTable, CapitalsOfWindows1252DecodeToSmallLetters) {
    std::wstring characters;
    for (const unsigned code : {0x8a, 0x9a, 0x8c, 0x8e, 0x9f, 0xc9, 0xc0, 0xde, 0xd7, 0xdf, 0x81, 0x85, 0x86, 0xa0}) {
        characters += CharRefs()[5 + code - 0x80].character;
    }
    EXPECT_EQ(characters, L"\u0161\u0161\u0153\u017e\u00ff\u00e9\u00e0\u00fe\u00d7\u00df\u0081\u2026\u2020\u00a0");
}

// Table references in any letter case, and then again in the text a replacement makes.
TEST(DecodeCharRefs, ReplacesTableReferencesInAnyLetterCaseAndInTheTextReplacementsMake) {
    for (const auto& [title, decoded] :
         std::vector<std::pair<std::wstring, std::wstring>>{{L"No references", L"No references"},
                                                            {L"Salt &amp; Pepper", L"Salt & Pepper"},
                                                            {L"&QUOT;Hi&Quot; &LT;3 &gt; &apos;", L"\"Hi\" <3 > '"},
                                                            {L"Caf&#xE9; Caf&#XC9; Caf&#xc9;", L"Caf\u00e9 Caf\u00e9 Caf\u00e9"},
                                                            {L"&#x85;&#x86;&#x9f;&#xa0;", L"\u2026\u2020\u00ff\u00a0"},
                                                            {L"&amp;lt;", L"<"},
                                                            {L"&amp;amp;amp;", L"&"},
                                                            {L"&amp;#xe9;", L"\u00e9"},
                                                            {L"&amp;&amp;;", L"&&;"},
                                                            {L"&amp;l&amp;t;", L"&l&t;"}}) {
        EXPECT_EQ(DecodeCharRefs(title), decoded);
    }
}

TEST(DecodeCharRefs, LeavesWhatIsNotInTheTable) {
    for (const wchar_t* title : {L"&#x7f;", L"&#x100;", L"&#233;", L"&#xe;", L"&#x0e9;", L"&nbsp;", L"&eacute;", L"A & B",
                                 L"&amp", L"&#xe9", L"&;", L"&&&", L"&#x;", L"&# xe9;"}) {
        EXPECT_EQ(DecodeCharRefs(title), title);
    }
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
