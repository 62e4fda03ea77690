#include "common/line_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/test_support.h"

namespace lyrics {
namespace {

using testing::Utf16Le;

TEST(LineSource, LineCountIsLineFeedsPlusOne) {
    // Beside an LF, a lone CR ends no line.
    const testing::Row<const char*, std::size_t> rows[] = {{"", 1}, {"a", 1}, {"a\n", 2}, {"a\r\nb\r\n", 3}, {"a\rb\n\r", 2}};
    testing::ExpectEveryRow(CountLines, rows);

    LineSource source("one\ntwo\n");
    source.ReadAll();
    EXPECT_EQ(source.Line(), 3u);
    EXPECT_TRUE(source.AtEndOfStream());
}

TEST(LineSource, CrBelongsToTheLineEndOnlyRightBeforeLf) {
    LineSource source("a\r\nb\rc\n\r\rd\r");
    EXPECT_EQ(source.ReadLine(), L"a");
    EXPECT_EQ(source.ReadLine(), L"b\rc");
    EXPECT_EQ(source.ReadLine(), L"\r\rd\r");  // the last line has no LF, so its CR stays
    EXPECT_TRUE(source.AtEndOfStream());
    EXPECT_EQ(source.ReadLine(), std::nullopt);
    EXPECT_FALSE(source.SkipLine());
}

TEST(LineSource, TrailingLineEndLeavesNothingToRead) {
    LineSource source("x\n");
    EXPECT_EQ(source.Line(), 1u);
    EXPECT_TRUE(source.SkipLine());
    EXPECT_EQ(source.Line(), 2u);
    EXPECT_TRUE(source.AtEndOfStream());
}

TEST(LineSource, EmptyLinesAndNulBytesAreLines) {
    const std::string bytes("\n\nA\0B\n", 6);
    LineSource source(bytes);
    EXPECT_EQ(source.ReadLine(), L"");
    EXPECT_TRUE(source.SkipLine());
    EXPECT_EQ(source.ReadLine(), std::wstring(L"A\0B", 3));
    EXPECT_TRUE(source.AtEndOfStream());
}

TEST(LineSource, BytesAreDecodedOneCharacterEach) {
    LineSource source("caf\xc3\xa9\n\x80\x9f");
    EXPECT_EQ(source.ReadLine(), L"caf\u00c3\u00a9");  // UTF-8 is not recognised: two characters
    EXPECT_EQ(source.ReadLine(), L"\u20ac\u0178");
}

TEST(LineSource, ATextWithCrsButNoLfHasCrLineEnds) {
    EXPECT_EQ(CountLines("a\rb\r"), 3u);  // an old Mac file
    EXPECT_EQ(CountLines("\r"), 2u);
    LineSource source("a\rb\r\rc");
    EXPECT_EQ(source.ReadLine(), L"a");
    EXPECT_TRUE(source.SkipLine());
    EXPECT_EQ(source.ReadLine(), L"");
    EXPECT_EQ(source.Line(), 4u);
    EXPECT_EQ(source.ReadLine(), L"c");
    EXPECT_TRUE(source.AtEndOfStream());

    LineSource counted("a\rb\r");
    counted.SkipLine();
    counted.ReadAll();
    EXPECT_EQ(counted.Line(), 3u);
}

std::vector<std::wstring> AllLines(LineSource& source) {
    std::vector<std::wstring> lines;
    while (std::optional<std::wstring> line = source.ReadLine()) lines.push_back(*line);
    return lines;
}

TEST(LineSource, UnicodeTextIsCutByTheSameRules) {
    const std::string text = Utf16Le(L"\u03a9\r\n\u65e5\rx\n\u0416");
    LineSource source(text, TextShape{TextEncoding::Utf16Le, '\n'});
    EXPECT_EQ(source.ReadLine(), L"\u03a9");
    EXPECT_EQ(source.ReadLine(), L"\u65e5\rx");
    EXPECT_EQ(source.Line(), 3u);
    EXPECT_EQ(source.ReadLine(), L"\u0416");
    EXPECT_EQ(source.ReadLine(), std::nullopt);

    const std::string crOnly = Utf16Le(L"\u03a3\r\u03c3");
    LineSource counted(crOnly, TextShape{TextEncoding::Utf16Le, '\r'});
    counted.ReadAll();
    EXPECT_EQ(counted.Line(), 2u);
    // A byte 0A or 0D that is half of another character ends no line: U+010A, U+0D0D.
    const std::string halves = Utf16Le(L"\u010a\u0d0d\r\nx");
    LineSource notEnds(halves, TextShape{TextEncoding::Utf16Le, '\n'});
    EXPECT_EQ(AllLines(notEnds), (std::vector<std::wstring>{L"\u010a\u0d0d", L"x"}));
}

class PieceSupply final : public ByteSupply {
public:
    PieceSupply(std::string_view text, std::size_t piece) : text_(text), piece_(piece) {}
    Result<std::size_t> Read(char* buffer, std::size_t room) override {
        const std::size_t n = std::min({piece_, room, text_.size()});
        std::copy_n(text_.data(), n, buffer);
        text_.remove_prefix(n);
        return n;
    }

private:
    std::string_view text_;
    std::size_t piece_;
};

// Streamed in pieces of every small size, a text gives the lines it gives in memory: a line end,
// a CR before it or a UTF-16 code unit cut by the end of a piece changes nothing.
TEST(LineSource, StreamedInPiecesGivesTheLinesOfTheTextInMemory) {
    const struct {
        std::string text;
        TextShape shape;
    } cases[] = {
        {"#EXTM3U\r\n#EXTINF:1,Caf\xE9\r\np\r\n\r\nlast", {TextEncoding::EightBit, '\n'}},
        {"a\rb\r\rc", {TextEncoding::EightBit, '\r'}},
        {"\xCE\xA3\xCE\n\xE9t\xC3\xA9\r\n", {TextEncoding::Utf8, '\n'}},
        {Utf16Le(L"[p]\r\nTitle1=\u65e5\r\n\u010a\n") + "\x3D", {TextEncoding::Utf16Le, '\n'}},
        {std::string("\0a\0\r\0\n\x01\x0A\0\n\0b", 13), {TextEncoding::Utf16Be, '\n'}},
    };
    for (const auto& c : cases) {
        LineSource inMemory(c.text, c.shape);
        const std::vector<std::wstring> expected = AllLines(inMemory);
        for (std::size_t piece = 1; piece <= 4; ++piece) {
            PieceSupply supply(c.text, piece);
            LineSource streamed(supply, c.shape);
            EXPECT_EQ(AllLines(streamed), expected) << "pieces of " << piece;
            EXPECT_EQ(streamed.Line(), inMemory.Line());
        }
    }
}

}  // namespace
}  // namespace lyrics
