#include "common/line_source.h"

#include <gtest/gtest.h>

namespace lyrics {
namespace {

TEST(LineSource, LineCountIsLineFeedsPlusOne) {
    EXPECT_EQ(CountLines(""), 1u);
    EXPECT_EQ(CountLines("a"), 1u);
    EXPECT_EQ(CountLines("a\n"), 2u);
    EXPECT_EQ(CountLines("a\r\nb\r\n"), 3u);
    EXPECT_EQ(CountLines("a\rb\n\r"), 2u);  // beside an LF, a lone CR ends no line

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

TEST(LineSource, DecodedTextIsCutByTheSameRules) {
    const std::wstring text = L"\u03a9\r\n\u65e5\rx\n\u0416";
    EXPECT_EQ(CountLines(std::wstring_view(text)), 3u);
    LineSource source{std::wstring_view(text)};
    EXPECT_EQ(source.ReadLine(), L"\u03a9");
    EXPECT_EQ(source.ReadLine(), L"\u65e5\rx");
    EXPECT_EQ(source.Line(), 3u);
    EXPECT_EQ(source.ReadLine(), L"\u0416");
    EXPECT_EQ(source.ReadLine(), std::nullopt);

    EXPECT_EQ(CountLines(std::wstring_view(L"a\rb")), 2u);
    EXPECT_EQ(CountLines(std::wstring_view(L"")), 1u);
    LineSource crOnly{std::wstring_view(L"\u03a3\r\u03c3")};
    crOnly.ReadAll();
    EXPECT_EQ(crOnly.Line(), 2u);
}

}  // namespace
}  // namespace lyrics
