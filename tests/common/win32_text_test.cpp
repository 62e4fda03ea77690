// The Windows side of Unicode text: lower-casing over the system's own tables, and playlists and
// lists read and written through the wide file functions. Runs under Wine in the win64 build.
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/ansi_fit.h"
#include "common/lower_case.h"
#include "common/text_codec.h"

namespace lyrics {
namespace {

wchar_t SystemLower(wchar_t c) {
    CharLowerBuffW(&c, 1);
    return c;
}

wchar_t SystemUpper(wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
}

// Every character the system lower-cases into a one-to-one pair keeps that mapping; every other one
// stays. Wine's CharLowerBuffW and glibc's towlower, so filtered, map exactly the same characters.
TEST(Win32LowerCase, TheSystemsMappingWhereItFormsAPairAndNothingElse) {
    std::size_t mapped = 0;
    for (unsigned code = 1; code < 0x10000; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        const auto c = static_cast<wchar_t>(code);
        const wchar_t system = SystemLower(c);
        const wchar_t want = system != c && SystemUpper(system) == c ? system : c;
        ASSERT_EQ(LowerCase(std::wstring(1, c)), std::wstring(1, want)) << "U+" << std::hex << code;
        mapped += want != c ? 1 : 0;
    }
    EXPECT_GT(mapped, 1000u) << "Greek, Cyrillic and the other cased scripts are mapped";
}

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

#endif  // _WIN32
