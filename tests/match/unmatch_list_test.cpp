#include "match/unmatch_list.h"

#include "tests/match/match_test_support.h"

namespace lyrics::match {
namespace {

using UnmatchList = MatchFolders;
using Slots = std::vector<std::wstring>;

TEST(SplitPlayingTime, TruncatesTowardZeroAndKeepsDaysInHours) {
    // Totals whose milliseconds leave 32 bits still split correctly.
    std::string texts;
    for (const std::int32_t total : {0, 3725, 90061, -5, -3725, 2147484, 2147483647, -2147483647 - 1}) {
        const PlayingTime t = SplitPlayingTime(total);
        texts += std::to_string(t.hours) + ":" + std::to_string(t.minutes) + ":" + std::to_string(t.seconds) + " ";
    }
    EXPECT_EQ(texts, "0:0:0 1:2:5 25:1:1 0:0:-5 -1:-2:-5 596:31:24 596523:14:7 -596523:-14:-8 ");
}

// The list of a playlist of 12 titles and a folder of 9 text files, and its lines.
std::wstring Compose(MatchOutcome outcome, const Slots& titles, const Slots& names, std::int32_t seconds = 3725) {
    return ComposeUnmatchList({titles, names, outcome, 12, 9, SplitPlayingTime(seconds), L"C:\\Lists\\Mix.m3u", L"C:\\Lyrics"});
}
constexpr std::wstring_view kTitlesLeft = L"Playlist titles which DO NOT have matching file name...\r\n\r\n";
constexpr std::wstring_view kAllTitles = L"All Playlist titles have matching file names!\r\n";
constexpr std::wstring_view kPlaylist = L"Playlist Name = \"C:\\Lists\\Mix.m3u\" with 12 titles.\r\nPlaylist Length = ";
constexpr std::wstring_view kFilesLeft = L"\r\n\r\nFiles which DO NOT have matching Playlist titles...\r\n\r\n";
constexpr std::wstring_view kAllFiles = L"\r\n\r\nAll Files have matching Playlist titles!\r\n";
constexpr std::wstring_view kFolder = L"Lyrics Folder = \"C:\\Lyrics\" with 9 text files.\r\n\r\n";
std::wstring Lines(std::initializer_list<std::wstring_view> parts) {
    std::wstring text;
    for (const std::wstring_view part : parts) text += part;
    return text;
}

TEST_F(UnmatchList, NothingMatched) {
    EXPECT_EQ(Compose(kNeitherAll, {L"", L"Song One", L"", L"song two"}, {L"Lyric A", L"", L"Lyric B"}),
              Lines({kTitlesLeft, kPlaylist, L"1:2:5 (hh:mm:ss)\r\n\r\nSong One\r\nsong two\r\n", kFilesLeft, kFolder,
                     L"Lyric A\r\nLyric B\r\n"}));
}

TEST_F(UnmatchList, EverythingMatched) {
    EXPECT_EQ(Compose(kBothAll, {L"", L""}, {}, 0),
              Lines({kAllTitles, kPlaylist, L"0:0:0 (hh:mm:ss)\r\n\r\n", kAllFiles, kFolder}));
}

TEST_F(UnmatchList, OnlyTitlesMatchedOrOnlyFilesMatched) {
    EXPECT_EQ(Compose(kAllTitlesOnly, {}, {L"Extra"}),
              Lines({kAllTitles, kPlaylist, L"1:2:5 (hh:mm:ss)\r\n\r\n", kFilesLeft, kFolder, L"Extra\r\n"}));
    EXPECT_EQ(Compose(kAllFilesOnly, {L"Missing"}, {}),
              Lines({kTitlesLeft, kPlaylist, L"1:2:5 (hh:mm:ss)\r\n\r\nMissing\r\n", kAllFiles, kFolder}));
}

TEST_F(UnmatchList, NameIsTheLocalTimeWithFixedDigits) {
    EXPECT_EQ(UnmatchListName({2026, 12, 5, 20, 19, 26}), L"UnMatch 05-12-2026 20.19.26.txt");
    EXPECT_EQ(UnmatchListName({2027, 1, 9, 0, 0, 7}), L"UnMatch 09-01-2027 00.00.07.txt");
}

TEST_F(UnmatchList, WrittenAsAnsiBesideNoDoubledSeparator) {
    const Slots titles = {L"Caf\u00e9 \u20ac"}, names;
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(reportFolder() + std::wstring(PathSeparator()), {2026, 12, 5, 20, 19, 26},
                         {titles, names, kAllFilesOnly, 1, 0, SplitPlayingTime(1), L"p.m3u", L"f"});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->reportPath, ListPath(L"UnMatch 05-12-2026 20.19.26.txt"));
    const std::string bytes = testing::ReadBytes(list->reportPath);
    EXPECT_EQ(bytes.substr(0, 8), "Playlist");  // no byte-order mark
    EXPECT_TRUE(bytes.find("\r\nCaf\xe9 \x80\r\n") != std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(UnmatchList, ListsInTheSameSecondAreAllKeptUnderNumberedNames) {
    const Slots many = {L"A", L"B", L"C"}, one = {L"A"}, none;
    const Result<WrittenUnmatchList> first = WriteList({many, none, kAllFilesOnly, 3, 0, {}, L"p", L"f"});
    const UnmatchListContent oneTitle{one, none, kAllFilesOnly, 1, 0, {}, L"p", L"f"};
    const Result<WrittenUnmatchList> again = WriteList(oneTitle), third = WriteList(oneTitle);
    ASSERT_TRUE(first && again && third);
    EXPECT_EQ(first->reportPath, ListPath(L"UnMatch 01-01-2026 01.01.01.txt"));
    EXPECT_EQ(again->reportPath, ListPath(L"UnMatch 01-01-2026 01.01.01 (2).txt"));
    EXPECT_EQ(third->reportPath, ListPath(L"UnMatch 01-01-2026 01.01.01 (3).txt"));
    // A second list in the same second holds only its own titles.
    EXPECT_NE(testing::ReadBytes(first->reportPath).find("B\r\n"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(again->reportPath).find("B\r\n"), std::string::npos);
    EXPECT_EQ(UnmatchListName(kSecond, 12), L"UnMatch 01-01-2026 01.01.01 (12).txt");
}

TEST_F(UnmatchList, AFileAlreadyUnderTheNameIsNeverEmptied) {
    const Slots one = {L"A"}, none;
    const std::wstring mine = ListPath(L"UnMatch 01-01-2026 01.01.01.txt");
    WriteIn(reportFolder(), L"UnMatch 01-01-2026 01.01.01.txt", "my own notes");
    const Result<WrittenUnmatchList> list = WriteList({one, none, kAllFilesOnly, 1, 0, {}, L"p", L"f"});
    ASSERT_TRUE(list);
    EXPECT_EQ(testing::ReadBytes(mine), "my own notes");
    EXPECT_NE(list->reportPath, mine);
}

TEST_F(UnmatchList, SaysHowManyTitlesAndFilesItListsBlankSlotsLeftOut) {
    const Slots titles = {L"", L"A", L"", L"B", L""}, names = {L"", L"x", L""};
    const Result<WrittenUnmatchList> list = WriteList({titles, names, kNeitherAll, 2, 1, {}, L"p", L"f"});
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->listedTitles, 2);
    EXPECT_EQ(list->listedFiles, 1);
}

TEST_F(UnmatchList, AFolderThatCannotBeWrittenIsAFailureNamingTheFile) {
    const Slots none;
    const Result<WrittenUnmatchList> list =
        WriteUnmatchList(work / L"no such folder", kSecond, {none, none, kBothAll, 0, 0, {}, L"p", L"f"});
    ASSERT_FALSE(list.ok());
    EXPECT_TRUE(testing::Contains(list.failure().message, L"UnMatch 01-01-2026 01.01.01.txt"));
}

TEST_F(UnmatchList, PromptQuotesThePathAndLeavesOneEmptyLine) {
    EXPECT_EQ(
        UnmatchListPrompt(L"C:\\Match\\UnMatch 05-12-2026 20.19.26.txt"),
        L"A list has been created in \"C:\\Match\\UnMatch 05-12-2026 20.19.26.txt\"\r\n\r\nDo you want to open the list now?");
}

}  // namespace
}  // namespace lyrics::match
