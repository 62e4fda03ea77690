#include "match/match_run.h"

#include "common/text_codec.h"
#include "tests/match/match_test_support.h"

namespace lyrics::match {
namespace {

using MatchRunTest = MatchFolders;

TEST_F(MatchRunTest, InputCheckStopsAtTheFirstFailure) {
    const std::wstring playlist = work.Write(L"list.m3u", "#EXTM3U\n");
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), playlist), InputCheck::Passed);
    EXPECT_EQ(CheckMatchInputs(L"", playlist), InputCheck::InvalidLyricsFolder);
    EXPECT_EQ(CheckMatchInputs(work / L"none", playlist), InputCheck::InvalidLyricsFolder);
    EXPECT_EQ(CheckMatchInputs(playlist, playlist), InputCheck::InvalidLyricsFolder);                  // a file is no folder
    EXPECT_EQ(CheckMatchInputs(work / L"none", work / L"none.m3u"), InputCheck::InvalidLyricsFolder);  // both wrong: the folder
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work / L"none.pls"), InputCheck::InvalidPlaylistFile);
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), lyricsFolder()), InputCheck::InvalidPlaylistFile);
    EXPECT_EQ(InputCheckMessage(InputCheck::InvalidLyricsFolder), L"Invalid Lyrics folder.");
    EXPECT_EQ(InputCheckMessage(InputCheck::InvalidPlaylistFile), L"Invalid Playlist File.");
}

TEST_F(MatchRunTest, PlaylistExtensionIsTestedOnFourCharactersInAnyCase) {
    for (const std::wstring name : {L"A.M3U", L"A.b4S", L"A.m3u8", L"B.M3u8"}) {  // ".m3u8" on five
        EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(name, "")), InputCheck::Passed) << EncodeUtf8(name);
    }
    for (const std::wstring name : {L"A.pls8", L"Am3u8", L"A.txt", L"Apls"}) {
        EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(name, "")), InputCheck::InvalidPlaylistFile) << EncodeUtf8(name);
    }
}

TEST_F(MatchRunTest, FolderOfSpacesOnlyIsRefusedSpacesInsideAreFine) {
    const std::wstring playlist = work.Write(L"list.m3u", "");
    std::filesystem::create_directories(PathFromText(work / L"my lyrics"));
    EXPECT_EQ(CheckMatchInputs(work / L"my lyrics", playlist), InputCheck::Passed);
    // Run from inside the work folder, "   " may name an existing folder: it is refused all the same.
    // Windows drops trailing spaces from a path, so there the name is the work folder itself.
    std::error_code notOnWindows;
    std::filesystem::create_directories(PathFromText(work / L"   "), notOnWindows);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(work.path());
    EXPECT_EQ(CheckMatchInputs(L"   ", playlist), InputCheck::InvalidLyricsFolder);
    std::filesystem::current_path(previous);
}

TEST_F(MatchRunTest, WritesTheListOfWhatIsLeftOnBothSides) {
    for (const wchar_t* name : {L"blue morning.TXT", L"Extra Song.txt", L".txt"}) Lyrics(name);
    WriteIn(lyricsFolder(), L"cover.jpg", "\xff\xd8");
    std::filesystem::create_directories(PathFromText(JoinPath(lyricsFolder(), L"sub.txt")));
    const std::wstring playlist =
        work.Write(L"Mix.m3u", "#EXTM3U\r\n#EXTINF:100,Blue Morning\r\na.mp3\r\n#EXTINF:25,No Lyrics \r\nb.mp3\r\n");

    const Result<MatchSummary> summary = RunMatch(Request(playlist));
    ASSERT_TRUE(summary.ok()) << EncodeUtf8(summary.failure().message);
    EXPECT_EQ(summary->reportPath, ListPath(L"UnMatch 05-12-2026 20.19.26.txt"));
    EXPECT_EQ(summary->matchOutcome, kNeitherAll);
    EXPECT_EQ(summary->textFileCount, 3);
    EXPECT_EQ(testing::ReadBytes(summary->reportPath), ListLeftOnBothSides("", EncodeAnsi(playlist), 2, "0:2:5", "No Lyrics \r\n",
                                                                           EncodeAnsi(lyricsFolder()), 3, "Extra Song\r\n"));
}

TEST_F(MatchRunTest, UnreadablePlaylistIsAFailureAndNoListIsWritten) {
    const std::wstring shortB4s = work.Write(L"short.b4s", "<?xml?>\n<WinampXML>\n");
    ExpectRunFails(Request(shortB4s), {shortB4s});
}

TEST_F(MatchRunTest, FolderRemovedBeforeTheListingIsAFailureNeverAllMatched) {
    MatchRequest request = Request(work.Write(L"Mix.m3u", "#EXTM3U\n#EXTINF:1,A\na\n"));
    request.lyricsFolder = work / L"gone";
    ExpectRunFails(request, {L"could not be listed", request.lyricsFolder});
}

TEST_F(MatchRunTest, ReportFolderThatCannotBeWrittenIsAFailure) {
    MatchRequest request = Request(work.Write(L"Mix.pls", "[playlist]\n"));
    request.reportFolder = work / L"missing reports";
    ExpectRunFails(request, {L"unmatch list"});
}

TEST_F(MatchRunTest, BinaryPlaylistStillGivesAList) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes += static_cast<char>((i * 7919) % 256);
    const Result<MatchSummary> summary = RunMatch(Request(work.Write(L"noise.m3u", bytes)));
    ASSERT_TRUE(summary.ok());
    EXPECT_TRUE(std::filesystem::exists(PathFromText(summary->reportPath)));
}

TEST_F(MatchRunTest, EmptyFolderReportsEveryTitleAndAllFilesMatched) {
    const Result<MatchSummary> summary = RunMatch(Request(work.Write(L"Mix.m3u", "#EXTM3U\n#EXTINF:1,A\na\n")));
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary->matchOutcome, kAllFilesOnly);
    EXPECT_EQ(summary->unmatchedTitles, 1);
}

TEST_F(MatchRunTest, UnicodePlaylistMatchesNamesInOtherScriptsAndTheListKeepsThem) {
    // The first in capitals; the playlist has the small letters.
    for (const wchar_t* name : {L"\u03a9\u0394\u0389.txt", L"\u65e5\u672c.txt", L"\u0394\u0394\u0394.txt"}) Lyrics(name);
    const std::wstring playlist =
        work.Write(L"Mix.M3U8",
                   "#EXTM3U\n#EXTINF:1,\xCF\x89\xCE\xB4\xCE\xAE\np\n#EXTINF:2,\xE6\x97\xA5\xE6\x9C\xAC\np\n"
                   "#EXTINF:3,\xE6\x9D\xB1\xE4\xBA\xAC\np\n");
    const Result<MatchSummary> summary = RunMatch(Request(playlist));
    ASSERT_TRUE(summary.ok()) << EncodeUtf8(summary.failure().message);
    EXPECT_EQ(summary->unmatchedTitles, 1);
    EXPECT_EQ(summary->unmatchedFiles, 1);
    EXPECT_EQ(testing::ReadBytes(summary->reportPath),
              ListLeftOnBothSides("\xEF\xBB\xBF", EncodeUtf8(playlist), 3, "0:0:6", "\xE6\x9D\xB1\xE4\xBA\xAC\r\n",
                                  EncodeUtf8(lyricsFolder()), 3, "\xCE\x94\xCE\x94\xCE\x94\r\n"));
}

TEST_F(MatchRunTest, AnEmptyM3uOrPlsHoldsNoPlaylistAndNoListIsWritten) {
    for (const std::wstring name : {L"empty.m3u", L"empty.pls", L"empty.m3u8"}) {
        ExpectRunFails(Request(work.Write(name, "")), {L"is empty", name});
    }
    // A byte-order mark alone holds no character either.
    ExpectRunFails(Request(work.Write(L"mark.m3u", "\xEF\xBB\xBF")), {});
    // One line end is a header line: the walk starts, and the list says nothing matched wrongly.
    EXPECT_TRUE(RunMatch(Request(work.Write(L"one line.m3u", "\n"))));
}

TEST_F(MatchRunTest, ARunInTheSameSecondKeepsTheFirstList) {
    const std::wstring playlist = work.Write(L"Mix.m3u", "#EXTM3U\n#EXTINF:1,A\na\n");
    const Result<MatchSummary> first = RunMatch(Request(playlist));
    const Result<MatchSummary> second = RunMatch(Request(playlist));
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->reportPath, second->reportPath);
    EXPECT_TRUE(std::filesystem::exists(PathFromText(first->reportPath)));
    EXPECT_TRUE(std::filesystem::exists(PathFromText(second->reportPath)));
}

}  // namespace
}  // namespace lyrics::match
