// lyrics caption, through RunLyrics with captions as arguments and on standard input.
#include <gtest/gtest.h>

#include <deque>

#include "cli/lyrics_cli.h"

namespace lyrics::cli {
namespace {

class CaptionIo final : public CliIo {
public:
    void Out(std::wstring_view text) override { out += text; }
    void Err(std::wstring_view text) override { err += text; }
    std::optional<std::wstring> ReadLine() override {
        if (input.empty()) return std::nullopt;
        std::wstring line = std::move(input.front());
        input.pop_front();
        return line;
    }
    std::wstring out, err;
    std::deque<std::wstring> input;
};

TEST(CaptionCommand, OneLinePerCaptionGiven) {
    CaptionIo io;
    io.input = {L"never read"};
    EXPECT_EQ(RunLyrics({L"caption", L"12. Artist - Song - Winamp", L"Winamp Equalizer", L"Winamp 5.0",
                         L"7. Song (Live) (3:45)"},
                        io),
              kExitOk);
    EXPECT_EQ(io.out, L"Title\tArtist - Song\nSkipped\t\nNoTitle\t\nTitle\tSong (Live)\n");
    EXPECT_TRUE(io.err.empty());
    EXPECT_EQ(io.input.size(), 1u);
}

TEST(CaptionCommand, ReadsStandardInputWhenNoCaptionIsGiven) {
    CaptionIo io;
    io.input = {L"5. The Winamp Song - Winamp", L"", L"Orlisk", L"1. 2. Song - Winamp"};
    EXPECT_EQ(RunLyrics({L"caption"}, io), kExitOk);
    EXPECT_EQ(io.out, L"Title\tT\nNoTitle\t\nSkipped\t\nTitle\t2. Song\n");

    CaptionIo empty;
    EXPECT_EQ(RunLyrics({L"caption"}, empty), kExitOk);
    EXPECT_TRUE(empty.out.empty());
}

} // namespace
} // namespace lyrics::cli
