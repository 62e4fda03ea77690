#include "match/list_encoding.h"

#include "common/text_codec.h"
#include "tests/match/match_test_support.h"

namespace lyrics::match {
namespace {

using ListEncoding = MatchFolders;

// Whether the 8-bit code page of this system reads bytes as Windows-1252 does.
bool EightBitIsWindows1252() { return DecodeAnsi("\x80\x9f\xd0\xf0\x8a") == L"\u20ac\u0178\u00d0\u00f0\u0160"; }

std::string Encode(const std::vector<std::wstring>& lines) {
    return EncodeList(16, [&](ListBytes& list) {
        for (const std::wstring& line : lines) line.empty() ? list.WriteBlankLines(1) : list.WriteLine(line);
    });
}

TEST_F(ListEncoding, AListThatFitsTheCodePageIsEightBitTextWithoutAMark) {
    if (!EightBitIsWindows1252()) GTEST_SKIP() << "another ANSI code page";
    EXPECT_EQ(Encode({L"Caf\u00e9 \u20ac", L"", L"Who?"}), "Caf\xe9 \x80\r\n\r\nWho?\r\n");
    EXPECT_EQ(Encode({}), "");
}

TEST_F(ListEncoding, OneCharacterOutsideTheCodePageMakesTheWholeListUtf8WithAMark) {
    // Lines before and after the one that does not fit are UTF-8 too: one encoding for the file.
    EXPECT_EQ(Encode({L"Caf\u00e9", L"", L"\u03a3\u0391\u03a3", L"\u0394\u0394\u0394", L"\u65e5\u672c", L"Who?"}),
              "\xEF\xBB\xBF"
              "Caf\xC3\xA9\r\n\r\n"
              "\xCE\xA3\xCE\x91\xCE\xA3\r\n"
              "\xCE\x94\xCE\x94\xCE\x94\r\n"
              "\xE6\x97\xA5\xE6\x9C\xAC\r\n"
              "Who?\r\n");
    EXPECT_EQ(Encode({L"\U0001F600"}), "\xEF\xBB\xBF\xF0\x9F\x98\x80\r\n");
}

TEST_F(ListEncoding, TheUnmatchListNamesEveryTitleOnceNoneAsQuestionMarks) {
    const Slots titles = {L"\u03a3\u0391\u03a3", L"", L"\u0394\u0394\u0394"}, names = {L"\u65e5\u672c", L"Caf\u00e9"};
    const Result<WrittenUnmatchList> list =
        WriteList({titles, names, kNeitherAll, 2, 2, SplitPlayingTime(61), L"p.m3u8", L"f"}, {2026, 12, 5, 20, 19, 26});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(
        testing::ReadBytes(list->reportPath),
        ListLeftOnBothSides("\xEF\xBB\xBF", "p.m3u8", 2, "0:1:1", "\xCE\xA3\xCE\x91\xCE\xA3\r\n\xCE\x94\xCE\x94\xCE\x94\r\n", "f",
                            2, "\xE6\x97\xA5\xE6\x9C\xAC\r\nCaf\xC3\xA9\r\n"));
}

TEST_F(ListEncoding, APathOutsideTheCodePageCountsAsWell) {
    const Slots none;
    const Result<WrittenUnmatchList> list = WriteList({none, none, kBothAll, 0, 0, {}, L"p.m3u", L"C:\\\u6b4c\u8a5e"});
    ASSERT_TRUE(list.ok());
    const std::string bytes = testing::ReadBytes(list->reportPath);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("Lyrics Folder = \"C:\\\xE6\xAD\x8C\xE8\xA9\x9E\" with 0 text files.\r\n"), std::string::npos);
}

}  // namespace
}  // namespace lyrics::match
