// lyrics caption, through RunLyrics with captions as arguments and on standard input.
#include <gtest/gtest.h>

#include "tests/cli/cli_fixture.h"

namespace lyrics::cli {
namespace {

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
