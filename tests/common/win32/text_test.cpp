// The Windows side of Unicode text: lower-casing in pieces over the system's table, and the round
// trip through the ANSI code page.
#include <gtest/gtest.h>

#include <string>

#include "common/ansi_fit.h"
#include "common/lower_case.h"
#include "common/text_codec.h"

namespace lyrics {
namespace {

TEST(Win32LowerCase, PairsAcrossTheInnerPiecesStayWhole) {
    // The text is checked in pieces of 4,096 units; a surrogate pair right at a piece's edge must be
    // mapped as one character, not taken for two lone halves.
    std::wstring text(4095, L'A');
    text += L"\U00010400\u0130\u03a3";
    text += std::wstring(5000, L'\u0416');
    text += L"\U00010400";
    const std::wstring lowered = LowerCase(text);
    ASSERT_EQ(lowered.size(), text.size());
    EXPECT_EQ(lowered.substr(4090, 9), L"aaaaa\U00010428\u0130\u03c3");
    EXPECT_EQ(lowered.substr(4100, 3), L"\u0436\u0436\u0436");
    EXPECT_EQ(lowered.substr(lowered.size() - 3), L"\u0436\U00010428");
}

TEST(Win32AnsiFit, ABestFitLookAlikeIsNoFit) {
    // WideCharToMultiByte without WC_NO_BEST_FIT_CHARS would write "a", "L" and "8" here.
    for (const wchar_t* text : {L"\u0101", L"\u0141", L"\u221e", L"\uff21"}) {
        std::string bytes;
        EXPECT_FALSE(AppendAnsiExactly(bytes, text)) << EncodeUtf8(text);
    }
    std::string bytes;
    EXPECT_TRUE(AppendAnsiExactly(bytes, L"plain"));
    EXPECT_EQ(bytes, "plain");
}

}  // namespace
}  // namespace lyrics
