// The tool on Windows: device names never opened as playlists, and no media player commands.
#include <gtest/gtest.h>

#include "common/text_codec.h"
#include "tests/cli/cli_fixture.h"

namespace lyrics::cli {
namespace {

using lyrics::testing::Contains;

TEST_F(LyricsCliTest, DeviceNamesAsPlaylistsAreRefusedAndNothingHangs) {
    for (const std::wstring& path : {std::wstring(L"C:\\COM1.m3u"), work / L"AUX.m3u"}) {
        EXPECT_EQ(Run({L"titles", path}), kExitFailure);
        EXPECT_TRUE(Contains(io.err, L"is not a playlist file")) << EncodeUtf8(io.err);
        const int matched = Match(path, {L"--out", work.text()});
        EXPECT_TRUE(matched == kExitFailure || matched == kExitBadInput);
        EXPECT_TRUE(io.out.empty());
    }
}

TEST(PlayerCommandsTest, ExistOnLinuxOnly) {
    RecordingIo io;
    EXPECT_EQ(RunLyrics({L"--help"}, io), kExitOk);
    EXPECT_FALSE(Contains(io.out, L"lyrics follow"));
    EXPECT_EQ(RunLyrics({L"follow", L"--folder", L"."}, io), kExitBadInput);
    EXPECT_TRUE(Contains(io.err, L"unknown command \"follow\""));
}

}  // namespace
}  // namespace lyrics::cli
