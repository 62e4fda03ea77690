#include "match/unmatch_list.h"

#include <gtest/gtest.h>

#include "common/path_text.h"
#include "tests/match/match_outcomes.h"
#include "tests/test_support.h"

namespace lyrics::match {
namespace {

using Slots = std::vector<std::wstring>;

std::wstring Compose(MatchOutcome outcome, const Slots& titles, const Slots& names, std::int32_t seconds = 3725) {
    return ComposeUnmatchList({titles, names, outcome, 12, 9, SplitPlayingTime(seconds), L"C:\\Lists\\Mix.m3u", L"C:\\Lyrics"});
}

TEST(SplitPlayingTime, TruncatesTowardZeroAndKeepsDaysInHours) {
    auto text = [](std::int32_t s) {
        const PlayingTime t = SplitPlayingTime(s);
        return std::to_string(t.hours) + ":" + std::to_string(t.minutes) + ":" + std::to_string(t.seconds);
    };
    EXPECT_EQ(text(0), "0:0:0");
    EXPECT_EQ(text(3725), "1:2:5");
    EXPECT_EQ(text(90061), "25:1:1");
    EXPECT_EQ(text(-5), "0:0:-5");
    EXPECT_EQ(text(-3725), "-1:-2:-5");
    // Totals whose milliseconds leave 32 bits still split correctly.
    EXPECT_EQ(text(2147484), "596:31:24");
    EXPECT_EQ(text(2147483647), "596523:14:7");
    EXPECT_EQ(text(-2147483647 - 1), "-596523:-14:-8");
}

TEST(UnmatchList, NothingMatched) {
    EXPECT_EQ(Compose(kNeitherAll, {L"", L"Song One", L"", L"song two"}, {L"Lyric A", L"", L"Lyric B"}),
              L"Playlist titles which DO NOT have matching file name...\r\n"
              L"\r\n"
              L"Playlist Name = \"C:\\Lists\\Mix.m3u\" with 12 titles.\r\n"
              L"Playlist Length = 1:2:5 (hh:mm:ss)\r\n"
              L"\r\n"
              L"Song One\r\n"
              L"song two\r\n"
              L"\r\n"
              L"\r\n"
              L"Files which DO NOT have matching Playlist titles...\r\n"
              L"\r\n"
              L"Lyrics Folder = \"C:\\Lyrics\" with 9 text files.\r\n"
              L"\r\n"
              L"Lyric A\r\n"
              L"Lyric B\r\n");
}

TEST(UnmatchList, EverythingMatched) {
    EXPECT_EQ(Compose(kBothAll, {L"", L""}, {}, 0),
              L"All Playlist titles have matching file names!\r\n"
              L"Playlist Name = \"C:\\Lists\\Mix.m3u\" with 12 titles.\r\n"
              L"Playlist Length = 0:0:0 (hh:mm:ss)\r\n"
              L"\r\n"
              L"\r\n"
              L"\r\n"
              L"All Files have matching Playlist titles!\r\n"
              L"Lyrics Folder = \"C:\\Lyrics\" with 9 text files.\r\n"
              L"\r\n");
}

TEST(UnmatchList, OnlyTitlesMatchedOrOnlyFilesMatched) {
    EXPECT_EQ(Compose(kAllTitlesOnly, {}, {L"Extra"}),
              L"All Playlist titles have matching file names!\r\n"
              L"Playlist Name = \"C:\\Lists\\Mix.m3u\" with 12 titles.\r\n"
              L"Playlist Length = 1:2:5 (hh:mm:ss)\r\n"
              L"\r\n"
              L"\r\n"
              L"\r\n"
              L"Files which DO NOT have matching Playlist titles...\r\n"
              L"\r\n"
              L"Lyrics Folder = \"C:\\Lyrics\" with 9 text files.\r\n"
              L"\r\n"
              L"Extra\r\n");
    EXPECT_EQ(Compose(kAllFilesOnly, {L"Missing"}, {}),
              L"Playlist titles which DO NOT have matching file name...\r\n"
              L"\r\n"
              L"Playlist Name = \"C:\\Lists\\Mix.m3u\" with 12 titles.\r\n"
              L"Playlist Length = 1:2:5 (hh:mm:ss)\r\n"
              L"\r\n"
              L"Missing\r\n"
              L"\r\n"
              L"\r\n"
              L"All Files have matching Playlist titles!\r\n"
              L"Lyrics Folder = \"C:\\Lyrics\" with 9 text files.\r\n"
              L"\r\n");
}

TEST(UnmatchList, NameIsTheLocalTimeWithFixedDigits) {
    EXPECT_EQ(UnmatchListName({2026, 12, 5, 20, 19, 26}), L"UnMatch 05-12-2026 20.19.26.txt");
    EXPECT_EQ(UnmatchListName({2027, 1, 9, 0, 0, 7}), L"UnMatch 09-01-2027 00.00.07.txt");
}

TEST(UnmatchList, WrittenAsAnsiBesideNoDoubledSeparator) {
    testing::TempFolder folder;
    const Slots titles = {L"Caf\u00e9 \u20ac"};
    const Slots names;
    const std::wstring folderWithSeparator = folder.text() + std::wstring(PathSeparator());
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(folderWithSeparator, {2026, 12, 5, 20, 19, 26},
                         {titles, names, kAllFilesOnly, 1, 0, SplitPlayingTime(1), L"p.m3u", L"f"});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->reportPath, folder / L"UnMatch 05-12-2026 20.19.26.txt");
    const std::string bytes = testing::ReadBytes(list->reportPath);
    EXPECT_EQ(bytes.substr(0, 8), "Playlist");  // no byte-order mark
    EXPECT_NE(bytes.find("\r\nCaf\xe9 \x80\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(UnmatchList, ASecondListInTheSameSecondHoldsOnlyItsOwnTitles) {
    testing::TempFolder folder;
    const Slots many = {L"A", L"B", L"C"}, one = {L"A"}, none;
    ASSERT_TRUE(WriteUnmatchList(folder.text(), {2026, 1, 1, 1, 1, 1}, {many, none, kAllFilesOnly, 3, 0, {}, L"p", L"f"}).ok());
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(folder.text(), {2026, 1, 1, 1, 1, 1}, {one, none, kAllFilesOnly, 1, 0, {}, L"p", L"f"});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(testing::ReadBytes(list->reportPath).find("B\r\n"), std::string::npos);
}

TEST(UnmatchList, ListsInTheSameSecondAreAllKeptUnderNumberedNames) {
    testing::TempFolder folder;
    const Slots many = {L"A", L"B", L"C"}, one = {L"A"}, none;
    const LocalTime second{2026, 1, 1, 1, 1, 1};
    const Result<WrittenUnmatchList> first =
        WriteUnmatchList(folder.text(), second, {many, none, kAllFilesOnly, 3, 0, {}, L"p", L"f"});
    const Result<WrittenUnmatchList> again =
        WriteUnmatchList(folder.text(), second, {one, none, kAllFilesOnly, 1, 0, {}, L"p", L"f"});
    const Result<WrittenUnmatchList> third =
        WriteUnmatchList(folder.text(), second, {one, none, kAllFilesOnly, 1, 0, {}, L"p", L"f"});
    ASSERT_TRUE(first && again && third);
    EXPECT_EQ(first->reportPath, folder / L"UnMatch 01-01-2026 01.01.01.txt");
    EXPECT_EQ(again->reportPath, folder / L"UnMatch 01-01-2026 01.01.01 (2).txt");
    EXPECT_EQ(third->reportPath, folder / L"UnMatch 01-01-2026 01.01.01 (3).txt");
    EXPECT_NE(testing::ReadBytes(first->reportPath).find("B\r\n"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(again->reportPath).find("B\r\n"), std::string::npos);
    EXPECT_EQ(UnmatchListName(second, 12), L"UnMatch 01-01-2026 01.01.01 (12).txt");
}

TEST(UnmatchList, AFileAlreadyUnderTheNameIsNeverEmptied) {
    testing::TempFolder folder;
    const Slots one = {L"A"}, none;
    const std::wstring mine = folder.Write(L"UnMatch 01-01-2026 01.01.01.txt", "my own notes");
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(folder.text(), {2026, 1, 1, 1, 1, 1}, {one, none, kAllFilesOnly, 1, 0, {}, L"p", L"f"});
    ASSERT_TRUE(list);
    EXPECT_EQ(testing::ReadBytes(mine), "my own notes");
    EXPECT_NE(list->reportPath, mine);
}

TEST(UnmatchList, SaysHowManyTitlesAndFilesItListsBlankSlotsLeftOut) {
    testing::TempFolder folder;
    const Slots titles = {L"", L"A", L"", L"B", L""}, names = {L"", L"x", L""};
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(folder.text(), {2026, 1, 1, 1, 1, 1}, {titles, names, kNeitherAll, 2, 1, {}, L"p", L"f"});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->listedTitles, 2);
    EXPECT_EQ(list->listedFiles, 1);
}

TEST(UnmatchList, AFolderThatCannotBeWrittenIsAFailureNamingTheFile) {
    testing::TempFolder folder;
    const Slots none;
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(folder / L"no such folder", {2026, 1, 1, 1, 1, 1}, {none, none, kBothAll, 0, 0, {}, L"p", L"f"});
    ASSERT_FALSE(list.ok());
    EXPECT_NE(list.failure().message.find(L"UnMatch 01-01-2026 01.01.01.txt"), std::wstring::npos);
}

TEST(UnmatchList, PromptQuotesThePathAndLeavesOneEmptyLine) {
    EXPECT_EQ(
        UnmatchListPrompt(L"C:\\Match\\UnMatch 05-12-2026 20.19.26.txt"),
        L"A list has been created in \"C:\\Match\\UnMatch 05-12-2026 20.19.26.txt\"\r\n\r\nDo you want to open the list now?");
}

}  // namespace
}  // namespace lyrics::match
