// Match runs over what only POSIX systems make: links to devices, loops of links, names in bytes.
#include "common/text_codec.h"
#include "tests/match/match_test_support.h"

namespace lyrics::match {
namespace {

using MatchRunTest = MatchFolders;

TEST_F(MatchRunTest, ThePlaylistMustBeARegularFile) {
    std::filesystem::create_symlink("/dev/zero", PathFromText(work / L"z.m3u"));
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), work / L"z.m3u"), InputCheck::Passed);  // the check sees a file
    ExpectRunFails(Request(work / L"z.m3u"), {L"is not a playlist file"});
}

TEST_F(MatchRunTest, TheCheckGivesItsReasonWhenItIsNotNotFound) {
    // A loop of links: the system cannot say whether a file is there, and says why.
    std::filesystem::create_symlink(PathFromText(work / L"loop"), PathFromText(work / L"loop"));
    const std::wstring inLoop = work / L"loop/x.m3u";
    EXPECT_EQ(CheckMatchInputs(lyricsFolder(), inLoop), InputCheck::InvalidPlaylistFile);
    EXPECT_TRUE(testing::Contains(InputCheckReason(InputCheck::InvalidPlaylistFile, lyricsFolder(), inLoop), L"symbolic links"));
    EXPECT_NE(InputCheckReason(InputCheck::InvalidLyricsFolder, work / L"loop/lyrics", inLoop), L"");
    EXPECT_EQ(InputCheckReason(InputCheck::InvalidPlaylistFile, lyricsFolder(), work / L"none.m3u"), L"");
    EXPECT_EQ(InputCheckReason(InputCheck::InvalidPlaylistFile, lyricsFolder(), work.Write(L"list.txt", "")), L"");
}

TEST_F(MatchRunTest, AFolderNamedInBytesThatAreNoUtf8IsTheFolderGiven) {
    const std::wstring folder = work / DecodePathBytes("dir\xe9");
    std::filesystem::create_directories(PathFromText(folder));
    WriteIn(folder, L"A.txt", "la");
    EXPECT_TRUE(std::filesystem::exists(work.path() / "dir\xe9" / "A.txt"));
    const std::wstring playlist = work.Write(L"Mix.m3u", "#EXTM3U\n#EXTINF:1,B\nb\n");
    ASSERT_EQ(CheckMatchInputs(folder, playlist), InputCheck::Passed);
    MatchRequest request = Request(playlist);
    request.lyricsFolder = folder;
    const Result<MatchSummary> summary = RunMatch(request);
    ASSERT_TRUE(summary) << EncodeUtf8(summary.failure().message);
    EXPECT_EQ(summary->textFileCount, 1);
    const std::string list = testing::ReadBytes(summary->reportPath);
    EXPECT_NE(list.find("dir\xe9\" with 1 text files."), std::string::npos) << "shown as Windows-1252 in the list";
}

}  // namespace
}  // namespace lyrics::match
