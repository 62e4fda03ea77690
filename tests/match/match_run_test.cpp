#include "match/match_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_codec.h"
#include "tests/match/match_outcomes.h"
#include "tests/test_support.h"

namespace lyrics::match {
namespace {

class MatchRunTest : public ::testing::Test {
protected:
    MatchRunTest() {
        std::filesystem::create_directories(PathFromText(lyricsFolder()));
        std::filesystem::create_directories(PathFromText(reportFolder()));
    }
    std::wstring lyricsFolder() const { return work / L"lyrics"; }
    std::wstring reportFolder() const { return work / L"reports"; }
    void Lyrics(std::wstring_view name) const { WriteIn(lyricsFolder(), name, "la la\r\n"); }
    static void WriteIn(const std::wstring& folder, std::wstring_view name, std::string_view bytes) {
        std::ofstream(PathFromText(JoinPath(folder, name)), std::ios::binary) << bytes;
    }
    MatchRequest Request(const std::wstring& playlist) const {
        MatchRequest request;
        request.lyricsFolder = lyricsFolder();
        request.playlistPath = playlist;
        request.reportFolder = reportFolder();
        request.clock = [] { return LocalTime{2026, 12, 5, 20, 19, 26}; };
        return request;
    }

    testing::TempFolder work;
};

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
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"A.M3U", "")), InputCheck::Passed);
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"A.b4S", "")), InputCheck::Passed);
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"A.m3u8", "")), InputCheck::Passed);  // and on five
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"B.M3u8", "")), InputCheck::Passed);
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"A.pls8", "")), InputCheck::InvalidPlaylistFile);
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"Am3u8", "")), InputCheck::InvalidPlaylistFile);
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"A.txt", "")), InputCheck::InvalidPlaylistFile);
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work.Write(L"Apls", "")), InputCheck::InvalidPlaylistFile);
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
    Lyrics(L"blue morning.TXT");
    Lyrics(L"Extra Song.txt");
    Lyrics(L".txt");
    WriteIn(lyricsFolder(), L"cover.jpg", "\xff\xd8");
    std::filesystem::create_directories(PathFromText(lyricsFolder() + std::wstring(PathSeparator()) + L"sub.txt"));
    const std::wstring playlist =
        work.Write(L"Mix.m3u", "#EXTM3U\r\n#EXTINF:100,Blue Morning\r\na.mp3\r\n#EXTINF:25,No Lyrics \r\nb.mp3\r\n");

    const Result<MatchSummary> summary = RunMatch(Request(playlist));
    ASSERT_TRUE(summary.ok()) << std::string(summary.failure().message.begin(), summary.failure().message.end());
    EXPECT_EQ(summary->reportPath, JoinPath(reportFolder(), L"UnMatch 05-12-2026 20.19.26.txt"));
    EXPECT_EQ(summary->matchOutcome, kNeitherAll);
    EXPECT_EQ(summary->textFileCount, 3);
    EXPECT_EQ(testing::ReadBytes(summary->reportPath),
              "Playlist titles which DO NOT have matching file name...\r\n\r\n"
              "Playlist Name = \"" +
                  EncodeAnsi(playlist) +
                  "\" with 2 titles.\r\n"
                  "Playlist Length = 0:2:5 (hh:mm:ss)\r\n\r\n"
                  "No Lyrics \r\n\r\n\r\n"
                  "Files which DO NOT have matching Playlist titles...\r\n\r\n"
                  "Lyrics Folder = \"" +
                  EncodeAnsi(lyricsFolder()) +
                  "\" with 3 text files.\r\n\r\n"
                  "Extra Song\r\n");
}

TEST_F(MatchRunTest, UnreadablePlaylistIsAFailureAndNoListIsWritten) {
    const std::wstring shortB4s = work.Write(L"short.b4s", "<?xml?>\n<WinampXML>\n");
    const Result<MatchSummary> summary = RunMatch(Request(shortB4s));
    ASSERT_FALSE(summary.ok());
    EXPECT_NE(summary.failure().message.find(shortB4s), std::wstring::npos);
    EXPECT_TRUE(std::filesystem::is_empty(PathFromText(reportFolder())));
}

TEST_F(MatchRunTest, FolderRemovedBeforeTheListingIsAFailureNeverAllMatched) {
    const std::wstring playlist = work.Write(L"Mix.m3u", "#EXTM3U\n#EXTINF:1,A\na\n");
    MatchRequest request = Request(playlist);
    request.lyricsFolder = work / L"gone";
    const Result<MatchSummary> summary = RunMatch(request);
    ASSERT_FALSE(summary.ok());
    EXPECT_NE(summary.failure().message.find(L"could not be listed"), std::wstring::npos);
    EXPECT_NE(summary.failure().message.find(request.lyricsFolder), std::wstring::npos);
    EXPECT_TRUE(std::filesystem::is_empty(PathFromText(reportFolder())));
}

TEST_F(MatchRunTest, ReportFolderThatCannotBeWrittenIsAFailure) {
    const std::wstring playlist = work.Write(L"Mix.pls", "[playlist]\n");
    MatchRequest request = Request(playlist);
    request.reportFolder = work / L"missing reports";
    const Result<MatchSummary> summary = RunMatch(request);
    ASSERT_FALSE(summary.ok());
    EXPECT_NE(summary.failure().message.find(L"unmatch list"), std::wstring::npos);
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
    Lyrics(L"\u03a9\u0394\u0389.txt");  // capitals; the playlist has the small letters
    Lyrics(L"\u65e5\u672c.txt");
    Lyrics(L"\u0394\u0394\u0394.txt");
    const std::wstring playlist =
        work.Write(L"Mix.M3U8",
                   "#EXTM3U\n#EXTINF:1,\xCF\x89\xCE\xB4\xCE\xAE\np\n#EXTINF:2,\xE6\x97\xA5\xE6\x9C\xAC\np\n"
                   "#EXTINF:3,\xE6\x9D\xB1\xE4\xBA\xAC\np\n");
    const Result<MatchSummary> summary = RunMatch(Request(playlist));
    ASSERT_TRUE(summary.ok()) << std::string(summary.failure().message.begin(), summary.failure().message.end());
    EXPECT_EQ(summary->unmatchedTitles, 1);
    EXPECT_EQ(summary->unmatchedFiles, 1);
    EXPECT_EQ(testing::ReadBytes(summary->reportPath),
              "\xEF\xBB\xBF"
              "Playlist titles which DO NOT have matching file name...\r\n\r\n"
              "Playlist Name = \"" +
                  EncodeUtf8(playlist) +
                  "\" with 3 titles.\r\n"
                  "Playlist Length = 0:0:6 (hh:mm:ss)\r\n\r\n"
                  "\xE6\x9D\xB1\xE4\xBA\xAC\r\n\r\n\r\n"
                  "Files which DO NOT have matching Playlist titles...\r\n\r\n"
                  "Lyrics Folder = \"" +
                  EncodeUtf8(lyricsFolder()) +
                  "\" with 3 text files.\r\n\r\n"
                  "\xCE\x94\xCE\x94\xCE\x94\r\n");
}

}  // namespace
}  // namespace lyrics::match
