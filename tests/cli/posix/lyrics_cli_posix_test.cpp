// The tool on Linux: paths as the bytes given, the check's reasons, and the media player commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/follow_command.h"
#include "common/text_codec.h"
#include "tests/cli/cli_fixture.h"

namespace lyrics::cli {
namespace {

using lyrics::testing::Contains;

TEST_F(LyricsCliTest, ARemovedCurrentFolderIsAFailureNeverTheRoot) {
    const std::wstring playlist = SongPlaylist();
    const std::wstring folder = Folder();
    const auto previous = std::filesystem::current_path();
    std::filesystem::create_directories(work.path() / "gone");
    std::filesystem::current_path(work.path() / "gone");
    std::filesystem::remove(work.path() / "gone");
    const int withoutOut = Match(playlist, {}, folder);
    const std::wstring said = io.err;
    const int relativeOut = Match(playlist, {L"--out", L"."}, folder);
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
    ASSERT_EQ(Match(SongPlaylist(), {L"--out", work / DecodePathBytes("out\xff")}, work / DecodePathBytes("dir\xe9")), kExitOk)
        << EncodeUtf8(io.err);
    ASSERT_FALSE(io.out.empty());
    const std::string printed = EncodePathBytes(io.out.substr(0, io.out.size() - 1));
    EXPECT_EQ(std::filesystem::path(printed).parent_path(), work.path() / "out\xff");
    EXPECT_NE(lyrics::testing::ReadBytes(DecodePathBytes(printed)).find("All Playlist titles have matching file names!"),
              std::string::npos);
}

TEST_F(LyricsCliTest, TheCheckSaysWhyWhenItIsNotNotFound) {
    std::filesystem::create_symlink(work.path() / "loop", work.path() / "loop");
    EXPECT_EQ(Match(work / L"loop/x.m3u"), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Playlist File. (")) << EncodeUtf8(io.err);
    EXPECT_TRUE(Contains(io.err, L"symbolic links)")) << EncodeUtf8(io.err);
    EXPECT_EQ(Match(work / L"x.m3u", {}, work / L"loop/lyrics"), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"Invalid Lyrics folder. (")) << EncodeUtf8(io.err);
    EXPECT_TRUE(Contains(io.err, L"symbolic links)"));
    EXPECT_EQ(Match(work / L"none.m3u"), kExitBadInput);
    EXPECT_FALSE(Contains(io.err, L": "));  // "not found" needs no reason
}

TEST(PlayerCommandsTest, ExistOnLinuxOnly) {
    RecordingIo io;
    EXPECT_EQ(RunLyrics({L"--help"}, io), kExitOk);
    EXPECT_TRUE(Contains(io.out, L"lyrics follow --folder DIR [--open | --print] [--player NAME] [--editor]"));
    EXPECT_TRUE(Contains(io.out, L"lyrics playing [--player NAME]"));
    EXPECT_EQ(RunLyrics({L"follow", L"--print", L"--open", L"--folder", L"."}, io), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, kFollowUsage));
}

}  // namespace
}  // namespace lyrics::cli
