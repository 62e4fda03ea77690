#include "match/list_encoding.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <vector>

#include "match/unmatch_list.h"
#include "tests/match/match_outcomes.h"
#include "tests/test_support.h"

namespace lyrics::match {
namespace {

bool EightBitIsWindows1252() {
#ifdef _WIN32
    return GetACP() == 1252;
#else
    return true;
#endif
}

std::string Encode(const std::vector<std::wstring>& lines) {
    return EncodeList(16, [&](ListBytes& list) {
        for (const std::wstring& line : lines) {
            if (line.empty()) {
                list.WriteBlankLines(1);
            } else {
                list.WriteLine(line);
            }
        }
    });
}

TEST(ListEncoding, AListThatFitsTheCodePageIsEightBitTextWithoutAMark) {
    if (!EightBitIsWindows1252()) GTEST_SKIP() << "another ANSI code page";
    EXPECT_EQ(Encode({L"Caf\u00e9 \u20ac", L"", L"Who?"}), "Caf\xe9 \x80\r\n\r\nWho?\r\n");
    EXPECT_EQ(Encode({}), "");
}

TEST(ListEncoding, OneCharacterOutsideTheCodePageMakesTheWholeListUtf8WithAMark) {
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

TEST(ListEncoding, TheUnmatchListNamesEveryTitleOnceNoneAsQuestionMarks) {
    lyrics::testing::TempFolder folder;
    const std::vector<std::wstring> titles = {L"\u03a3\u0391\u03a3", L"", L"\u0394\u0394\u0394"};
    const std::vector<std::wstring> names = {L"\u65e5\u672c", L"Caf\u00e9"};
    const Result<WrittenUnmatchList> list = WriteUnmatchList(
        folder.text(), {2026, 12, 5, 20, 19, 26}, {titles, names, kNeitherAll, 2, 2, SplitPlayingTime(61), L"p.m3u8", L"f"});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(lyrics::testing::ReadBytes(list->reportPath),
              "\xEF\xBB\xBF"
              "Playlist titles which DO NOT have matching file name...\r\n\r\n"
              "Playlist Name = \"p.m3u8\" with 2 titles.\r\n"
              "Playlist Length = 0:1:1 (hh:mm:ss)\r\n\r\n"
              "\xCE\xA3\xCE\x91\xCE\xA3\r\n"
              "\xCE\x94\xCE\x94\xCE\x94\r\n\r\n\r\n"
              "Files which DO NOT have matching Playlist titles...\r\n\r\n"
              "Lyrics Folder = \"f\" with 2 text files.\r\n\r\n"
              "\xE6\x97\xA5\xE6\x9C\xAC\r\n"
              "Caf\xC3\xA9\r\n");
}

TEST(ListEncoding, APathOutsideTheCodePageCountsAsWell) {
    lyrics::testing::TempFolder folder;
    const std::vector<std::wstring> none;
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(folder.text(), {2026, 1, 1, 1, 1, 1}, {none, none, kBothAll, 0, 0, {}, L"p.m3u", L"C:\\\u6b4c\u8a5e"});
    ASSERT_TRUE(list.ok());
    const std::string bytes = lyrics::testing::ReadBytes(list->reportPath);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("Lyrics Folder = \"C:\\\xE6\xAD\x8C\xE8\xA9\x9E\" with 0 text files.\r\n"), std::string::npos);
}

}  // namespace
}  // namespace lyrics::match
