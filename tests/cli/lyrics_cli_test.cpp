#include "cli/lyrics_cli.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_codec.h"
#include "tests/cli/cli_fixture.h"

namespace lyrics::cli {
namespace {

using lyrics::testing::Contains;

TEST_F(LyricsCliTest, HelpVersionAndWrongCommandLines) {
    EXPECT_EQ(Run({L"--help"}), kExitOk);
    EXPECT_TRUE(Contains(io.out, L"lyrics match --folder DIR --playlist FILE"));
    EXPECT_TRUE(Contains(io.out, L"playlist FILE (.m3u, .m3u8, .pls, .b4s)"));
    EXPECT_EQ(Run({L"--version"}), kExitOk);
    EXPECT_TRUE(Contains(io.out, L"lyrics 1."));
    EXPECT_EQ(Run({}), kExitBadInput);
    EXPECT_EQ(Run({L"sing"}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"unknown command \"sing\""));
    EXPECT_EQ(Run({L"match", L"--folder", Folder()}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"--playlist FILE is missing"));
    EXPECT_EQ(Run({L"match", L"--folder"}), kExitBadInput);
    EXPECT_EQ(Run({L"match", L"--folder", L"a", L"--folder", L"b", L"--playlist", L"p"}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"given twice"));
    EXPECT_EQ(Run({L"titles"}), kExitBadInput);
}

TEST_F(LyricsCliTest, InputCheckMessagesGoToStandardErrorWithExitTwo) {
    EXPECT_EQ(Match(work / L"none.txt", {}, work / L"nowhere"), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Lyrics folder."));
    EXPECT_FALSE(Contains(io.err, L"Invalid Playlist File."));
    EXPECT_TRUE(io.out.empty());
    EXPECT_EQ(Match(work.Write(L"list.txt", "")), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Playlist File."));
}

TEST_F(LyricsCliTest, MatchWritesIntoOutAndPrintsTheFullPath) {
    std::filesystem::create_directories(PathFromText(work / L"out"));
    ASSERT_EQ(Match(SongPlaylist(), {L"--out", work / L"out"}), kExitOk) << EncodeUtf8(io.err);
    ASSERT_FALSE(io.out.empty());
    const std::wstring path = io.out.substr(0, io.out.size() - 1);
    EXPECT_TRUE(PathFromText(path).is_absolute());
    EXPECT_TRUE(Contains(path, L"UnMatch "));
    EXPECT_NE(lyrics::testing::ReadBytes(path).find("Song\r\n"), std::string::npos);
}

TEST_F(LyricsCliTest, FailuresNameTheFileExitOneAndWriteNoList) {
    const std::wstring shortB4s = work.Write(L"two lines.b4s", "<?xml?>\n<WinampXML>\n");
    std::filesystem::create_directories(PathFromText(work / L"out"));
    EXPECT_EQ(Match(shortB4s, {L"--out", work / L"out"}), kExitFailure);
    EXPECT_TRUE(Contains(io.err, shortB4s));
    EXPECT_TRUE(io.out.empty());
    EXPECT_TRUE(std::filesystem::is_empty(PathFromText(work / L"out")));

    EXPECT_EQ(Match(work.Write(L"list.pls", "[playlist]\n"), {L"--out", work / L"no such folder"}), kExitFailure);
    EXPECT_TRUE(Contains(io.err, L"unmatch list"));
}

TEST_F(LyricsCliTest, TitlesPrintsEveryTitleThenCountAndLength) {
    const std::wstring playlist =
        work.Write(L"list.pls", "[playlist]\nFile1=a\nTitle1=One\nLength1=3725\nFile2=b\nTitle2=Two\nLength2=0\n");
    EXPECT_EQ(Run({L"titles", playlist}), kExitOk);
    EXPECT_EQ(io.out, L"One\nTwo\ntitles: 2\nlength: 1:2:5\n");
    EXPECT_EQ(Run({L"titles", work / L"missing.m3u"}), kExitFailure);
    EXPECT_TRUE(Contains(io.err, L"missing.m3u"));
}

TEST_F(LyricsCliTest, TitlesReadsUnicodePlaylistsAsMatchDoes) {
    const std::wstring m3u8 = work.Write(L"list.m3u8", "#EXTM3U\n#EXTINF:5,\xCE\xA3\xCE\x91\xCE\xA3\np\n");
    EXPECT_EQ(Run({L"titles", m3u8}), kExitOk);
    EXPECT_EQ(io.out, L"\u03a3\u0391\u03a3\ntitles: 1\nlength: 0:0:5\n");
    EXPECT_TRUE(io.err.empty()) << "an .m3u8 is a playlist";
    // UTF-16 LE with CR line ends: "[p]", "F", "Title1=日", "Length1=9".
    const std::wstring pls = work.Write(L"list.pls", "\xFF\xFE" + lyrics::testing::Utf16Le(L"[p]\rF\rTitle1=\u65e5\rLength1=9"));
    EXPECT_EQ(Run({L"titles", pls}), kExitOk);
    EXPECT_EQ(io.out, L"\u65e5\ntitles: 1\nlength: 0:0:9\n");
    EXPECT_EQ(Run({L"titles", work.Write(L"list.txt", "")}), kExitBadInput);  // the check match makes
    EXPECT_TRUE(Contains(io.err, L"does not end in .m3u, .m3u8, .pls or .b4s"));
}

TEST_F(LyricsCliTest, AnEmptyOutIsAWrongCommandLine) {
    EXPECT_EQ(Match(SongPlaylist(), {L"--out", L""}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"--out"));
    EXPECT_TRUE(io.out.empty());
}

TEST_F(LyricsCliTest, LostStandardOutputIsAFailureOnStandardError) {
    const std::wstring playlist = SongPlaylist();
    const std::vector<std::vector<std::wstring>> commands = {
        {L"--help"},
        {L"--version"},
        {L"titles", playlist},
        {L"caption", L"1. A - Winamp"},
        {L"match", L"--folder", Folder(), L"--playlist", playlist, L"--out", work.text()}};
    for (const std::vector<std::wstring>& command : commands) {
        io = RecordingIo{};
        io.outLost = L"No space left on device";
        EXPECT_EQ(RunLyrics(command, io), kExitFailure) << EncodeUtf8(command.front());
        EXPECT_TRUE(Contains(io.err, L"standard output could not be written: No space left on device"));
    }
}

TEST_F(LyricsCliTest, TitlesRefusesWhatMatchRefuses) {
    const std::wstring noDot = work.Write(L"xm3u", "#EXTM3U\n#EXTINF:10,Only One\nx.mp3\n");
    EXPECT_EQ(Match(noDot), kExitBadInput);
    EXPECT_EQ(Run({L"titles", noDot}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Playlist File."));
    EXPECT_TRUE(io.out.empty());
    EXPECT_EQ(Run({L"titles", work.Write(L"empty.m3u", "")}), kExitFailure);
    EXPECT_TRUE(Contains(io.err, L"is empty"));
}

// lyrics caption, with captions as arguments and on standard input.
TEST(CaptionCommand, OneLinePerCaptionGiven) {
    RecordingIo io;
    io.input = {L"never read"};
    EXPECT_EQ(
        RunLyrics({L"caption", L"12. Artist - Song - Winamp", L"Winamp Equalizer", L"Winamp 5.0", L"7. Song (Live) (3:45)"}, io),
        kExitOk);
    EXPECT_EQ(io.out, L"Title\tArtist - Song\nSkipped\t\nNoTitle\t\nTitle\tSong (Live)\n");
    EXPECT_TRUE(io.err.empty());
    EXPECT_EQ(io.input.size(), 1u);
}

TEST(CaptionCommand, ReadsStandardInputWhenNoCaptionIsGiven) {
    RecordingIo io;
    io.input = {L"5. The Winamp Song - Winamp", L"", L"Orlisk", L"1. 2. Song - Winamp"};
    EXPECT_EQ(RunLyrics({L"caption"}, io), kExitOk);
    EXPECT_EQ(io.out, L"Title\tT\nNoTitle\t\nSkipped\t\nTitle\t2. Song\n");

    RecordingIo empty;
    EXPECT_EQ(RunLyrics({L"caption"}, empty), kExitOk);
    EXPECT_TRUE(empty.out.empty());
}

}  // namespace
}  // namespace lyrics::cli
