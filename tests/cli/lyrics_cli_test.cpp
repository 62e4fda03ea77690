#include "cli/lyrics_cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/text_codec.h"
#include "tests/cli/recording_io.h"
#include "tests/test_support.h"

namespace lyrics::cli {
namespace {

using lyrics::testing::Contains;

class LyricsCliTest : public ::testing::Test {
protected:
    int Run(std::vector<std::wstring> args) {
        io = RecordingIo{};
        return RunLyrics(args, io);
    }
    std::wstring Folder() {
        std::filesystem::create_directories(PathFromText(work / L"lyrics"));
        return work / L"lyrics";
    }
    RecordingIo io;
    lyrics::testing::TempFolder work;
};

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
    const std::wstring playlist = work.Write(L"list.m3u", "#EXTM3U\n");
    EXPECT_EQ(Run({L"match", L"--folder", work / L"nowhere", L"--playlist", work / L"none.txt"}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Lyrics folder."));
    EXPECT_FALSE(Contains(io.err, L"Invalid Playlist File."));
    EXPECT_TRUE(io.out.empty());
    EXPECT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", work.Write(L"list.txt", "")}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Playlist File."));
}

TEST_F(LyricsCliTest, MatchWritesIntoOutAndPrintsTheFullPath) {
    const std::wstring playlist = work.Write(L"list.m3u", "#EXTM3U\n#EXTINF:5,Song\np\n");
    std::filesystem::create_directories(PathFromText(work / L"out"));
    ASSERT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", playlist, L"--out", work / L"out"}), kExitOk)
        << std::string(io.err.begin(), io.err.end());
    ASSERT_FALSE(io.out.empty());
    const std::wstring path = io.out.substr(0, io.out.size() - 1);
    EXPECT_TRUE(PathFromText(path).is_absolute());
    EXPECT_TRUE(Contains(path, L"UnMatch "));
    EXPECT_NE(lyrics::testing::ReadBytes(path).find("Song\r\n"), std::string::npos);
}

TEST_F(LyricsCliTest, FailuresNameTheFileExitOneAndWriteNoList) {
    const std::wstring shortB4s = work.Write(L"two lines.b4s", "<?xml?>\n<WinampXML>\n");
    std::filesystem::create_directories(PathFromText(work / L"out"));
    EXPECT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", shortB4s, L"--out", work / L"out"}), kExitFailure);
    EXPECT_TRUE(Contains(io.err, shortB4s));
    EXPECT_TRUE(io.out.empty());
    EXPECT_TRUE(std::filesystem::is_empty(PathFromText(work / L"out")));

    const std::wstring playlist = work.Write(L"list.pls", "[playlist]\n");
    EXPECT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", playlist, L"--out", work / L"no such folder"}), kExitFailure);
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
    std::string utf16 = "\xFF\xFE";
    for (const wchar_t c : std::wstring(L"[p]\rF\rTitle1=\u65e5\rLength1=9")) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    const std::wstring pls = work.Write(L"list.pls", utf16);
    EXPECT_EQ(Run({L"titles", pls}), kExitOk);
    EXPECT_EQ(io.out, L"\u65e5\ntitles: 1\nlength: 0:0:9\n");
    EXPECT_EQ(Run({L"titles", work.Write(L"list.txt", "")}), kExitBadInput);  // the check match makes
    EXPECT_TRUE(Contains(io.err, L"does not end in .m3u, .m3u8, .pls or .b4s"));
}

TEST_F(LyricsCliTest, AnEmptyOutIsAWrongCommandLine) {
    const std::wstring playlist = work.Write(L"list.m3u", "#EXTM3U\n#EXTINF:5,Song\np\n");
    EXPECT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", playlist, L"--out", L""}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"--out"));
    EXPECT_TRUE(io.out.empty());
}

#ifndef _WIN32
TEST_F(LyricsCliTest, ARemovedCurrentFolderIsAFailureNeverTheRoot) {
    const std::wstring playlist = work.Write(L"list.m3u", "#EXTM3U\n#EXTINF:5,Song\np\n");
    const std::wstring folder = Folder();
    const auto previous = std::filesystem::current_path();
    std::filesystem::create_directories(work.path() / "gone");
    std::filesystem::current_path(work.path() / "gone");
    std::filesystem::remove(work.path() / "gone");
    const int withoutOut = Run({L"match", L"--folder", folder, L"--playlist", playlist});
    const std::wstring said = io.err;
    const int relativeOut = Run({L"match", L"--folder", folder, L"--playlist", playlist, L"--out", L"."});
    std::filesystem::current_path(previous);
    EXPECT_EQ(withoutOut, kExitFailure);
    EXPECT_TRUE(Contains(said, L"current folder")) << EncodeUtf8(said);
    EXPECT_EQ(relativeOut, kExitFailure);
    EXPECT_TRUE(io.out.empty());
}

TEST_F(LyricsCliTest, ThePathsAreTheBytesGiven) {
    std::filesystem::create_directories(work.path() / "dir\xe9");
    std::ofstream(work.path() / "dir\xe9" / "Song.txt") << "la";
    std::filesystem::create_directories(work.path() / "out\xff");
    const std::wstring playlist = work.Write(L"list.m3u", "#EXTM3U\n#EXTINF:5,Song\np\n");
    ASSERT_EQ(Run({L"match", L"--folder", work / DecodePathBytes("dir\xe9"), L"--playlist", playlist, L"--out",
                   work / DecodePathBytes("out\xff")}),
              kExitOk)
        << EncodeUtf8(io.err);
    ASSERT_FALSE(io.out.empty());
    const std::string printed = EncodePathBytes(io.out.substr(0, io.out.size() - 1));
    EXPECT_EQ(std::filesystem::path(printed).parent_path(), work.path() / "out\xff");
    EXPECT_NE(lyrics::testing::ReadBytes(DecodePathBytes(printed)).find("All Playlist titles have matching file names!"),
              std::string::npos);
}

TEST_F(LyricsCliTest, TheCheckSaysWhyWhenItIsNotNotFound) {
    std::filesystem::create_symlink(work.path() / "loop", work.path() / "loop");
    EXPECT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", work / L"loop/x.m3u"}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Playlist File. (")) << EncodeUtf8(io.err);
    EXPECT_TRUE(Contains(io.err, L"symbolic links)")) << EncodeUtf8(io.err);
    EXPECT_EQ(Run({L"match", L"--folder", work / L"loop/lyrics", L"--playlist", work / L"x.m3u"}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Lyrics folder. (")) << EncodeUtf8(io.err);
    EXPECT_TRUE(Contains(io.err, L"symbolic links)"));
    EXPECT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", work / L"none.m3u"}), kExitBadInput);
    EXPECT_FALSE(Contains(io.err, L": "));  // "not found" needs no reason
}
#endif

TEST_F(LyricsCliTest, LostStandardOutputIsAFailureOnStandardError) {
    const std::wstring playlist = work.Write(L"list.m3u", "#EXTM3U\n#EXTINF:5,Song\np\n");
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
    EXPECT_EQ(Run({L"match", L"--folder", Folder(), L"--playlist", noDot}), kExitBadInput);
    EXPECT_EQ(Run({L"titles", noDot}), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Playlist File."));
    EXPECT_TRUE(io.out.empty());
    EXPECT_EQ(Run({L"titles", work.Write(L"empty.m3u", "")}), kExitFailure);
    EXPECT_TRUE(Contains(io.err, L"is empty"));
}

#ifdef _WIN32
TEST_F(LyricsCliTest, DeviceNamesAsPlaylistsAreRefusedAndNothingHangs) {
    for (const std::wstring& path : {std::wstring(L"C:\\COM1.m3u"), work / L"AUX.m3u"}) {
        EXPECT_EQ(Run({L"titles", path}), kExitFailure);
        EXPECT_TRUE(Contains(io.err, L"is not a playlist file")) << EncodeUtf8(io.err);
        const int matched = Run({L"match", L"--folder", Folder(), L"--playlist", path, L"--out", work.text()});
        EXPECT_TRUE(matched == kExitFailure || matched == kExitBadInput);
        EXPECT_TRUE(io.out.empty());
    }
}
#endif

}  // namespace
}  // namespace lyrics::cli
