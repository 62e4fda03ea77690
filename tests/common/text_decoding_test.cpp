#include "common/text_decoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace lyrics {
namespace {

using namespace std::string_literals;

std::vector<std::wstring> AllLines(const FileText& text) {
    std::vector<std::wstring> lines;
    LineSource source = text.Lines();
    while (std::optional<std::wstring> line = source.ReadLine()) lines.push_back(*line);
    EXPECT_EQ(lines.size() + (text.LineCount() > lines.size() ? 1 : 0), text.LineCount())
        << "only a last, empty line is never read";
    return lines;
}

using Lines = std::vector<std::wstring>;

void ExpectChoice(std::string_view bytes, TextEncoding encoding, std::size_t markLength) {
    const EncodingChoice choice = ChooseEncoding(bytes);
    EXPECT_EQ(choice.encoding, encoding) << ::testing::PrintToString(std::string(bytes));
    EXPECT_EQ(choice.markLength, markLength) << ::testing::PrintToString(std::string(bytes));
}

TEST(TextEncoding, AByteOrderMarkChoosesAndIsDropped) {
    ExpectChoice("\xEF\xBB\xBF"s + "abc", TextEncoding::Utf8, 3);
    ExpectChoice("\xFF\xFE"s + "a\0"s, TextEncoding::Utf16Le, 2);
    ExpectChoice("\xFE\xFF"s + "\0a"s, TextEncoding::Utf16Be, 2);
    ExpectChoice("\xFF\xFE\0\0"s, TextEncoding::Utf16Le, 2);  // a UTF-32 mark reads as UTF-16, as browsers read it
    ExpectChoice("\xEF\xBB\xBF", TextEncoding::Utf8, 3);
    EXPECT_EQ(AllLines(FileText("\xEF\xBB\xBF#EXTM3U\r\nCaf\xC3\xA9")), (Lines{L"#EXTM3U", L"Caf\u00e9"}));
    EXPECT_EQ(AllLines(FileText("\xFF\xFE#\0A\0\n\0\xE9\0"s)), (Lines{L"#A", L"\u00e9"}));
    EXPECT_EQ(AllLines(FileText("\xFE\xFF\0#\0A\0\n\0\xE9"s)), (Lines{L"#A", L"\u00e9"}));
    // Only at the start is it a mark; elsewhere U+FEFF is a character like any other.
    EXPECT_EQ(AllLines(FileText("a\xEF\xBB\xBF")), (Lines{L"a\uFEFF"}));
}

TEST(TextEncoding, WithoutAMarkOnlyStrictUtf8WithAHighByteIsUtf8) {
    ExpectChoice("Caf\xC3\xA9", TextEncoding::Utf8, 0);
    ExpectChoice("a long ASCII prefix of more than eight bytes, then \xCE\xA9", TextEncoding::Utf8, 0);
    ExpectChoice("\xF0\x9F\x98\x80", TextEncoding::Utf8, 0);
    ExpectChoice("", TextEncoding::EightBit, 0);
    ExpectChoice("#EXTM3U\r\nplain ASCII reads the same either way\r\n", TextEncoding::EightBit, 0);
    ExpectChoice("Caf\xE9", TextEncoding::EightBit, 0);                         // a Windows-1252 byte
    ExpectChoice("\xC3\x81"s + "bba \xC1" + "bba", TextEncoding::EightBit, 0);  // valid at first, not throughout
    ExpectChoice("Caf\xC3", TextEncoding::EightBit, 0);                         // cut short at the end
    ExpectChoice("\xC0\xAF", TextEncoding::EightBit, 0);                        // overlong
    ExpectChoice("\xED\xA0\x80", TextEncoding::EightBit, 0);                    // a surrogate
    ExpectChoice("\xF4\x90\x80\x80", TextEncoding::EightBit, 0);                // above U+10FFFF
    ExpectChoice("\xFE\xFE", TextEncoding::EightBit, 0);
    // The 8-bit reading: one byte, one character.
    EXPECT_EQ(FileText("Caf\xC3\xA9 \xE9").encoding(), TextEncoding::EightBit);
    EXPECT_EQ(AllLines(FileText("Caf\xC3\xA9 \xE9")), (Lines{L"Caf\u00c3\u00a9 \u00e9"}));
}

TEST(TextEncoding, StrictUtf8AtTheEdgesOfEveryWellFormedRange) {
    for (const char* valid : {"\x7F", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xE1\x80\x80", "\xEC\xBF\xBF", "\xED\x80\x80",
                              "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF1\x80\x80\x80",
                              "\xF3\xBF\xBF\xBF", "\xF4\x80\x80\x80", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(IsStrictUtf8(valid)) << ::testing::PrintToString(std::string(valid));
    }
    for (const char* invalid :
         {"\x80", "\xBF", "\xC0\x80", "\xC1\xBF", "\xC2\x7F", "\xC2\xC0", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xED\xBF\xBF",
          "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF8\x88\x80\x80\x80", "\xFF", "\xC2", "\xE1\x80"}) {
        EXPECT_FALSE(IsStrictUtf8(invalid)) << ::testing::PrintToString(std::string(invalid));
    }
}

TEST(TextEncoding, AfterAMarkEachMaximalSubpartBecomesOneReplacement) {
    // The example of the Unicode Standard (3.9, "U+FFFD Substitution of Maximal Subparts").
    EXPECT_EQ(DecodeUtf8Replacing("\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64"),
              L"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd");
    EXPECT_EQ(DecodeUtf8Replacing("\xC0\xAF"), L"\uFFFD\uFFFD");                      // no lead byte takes an overlong form
    EXPECT_EQ(DecodeUtf8Replacing("\xE0\x80\xAF"), L"\uFFFD\uFFFD\uFFFD");            // nor a second byte out of its range
    EXPECT_EQ(DecodeUtf8Replacing("\xED\xA0\x80x"), L"\uFFFD\uFFFD\uFFFDx");          // a surrogate
    EXPECT_EQ(DecodeUtf8Replacing("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");  // above U+10FFFF
    EXPECT_EQ(DecodeUtf8Replacing("\xF0\x9F\x98"), L"\uFFFD");                        // cut short at the end: one
    EXPECT_EQ(DecodeUtf8Replacing("\xF0\x9F\x98\x80\xCE\xA9"), L"\U0001F600\u03A9");
    EXPECT_EQ(DecodeUtf8Replacing("\xE6\x97\xA5\xE6\x9C"s + "A"), L"\u65E5\uFFFDA");
    EXPECT_EQ(AllLines(FileText("\xEF\xBB\xBF\xCE\xA3\xCE\n\xE9t\xC3\xA9")), (Lines{L"\u03A3\uFFFD", L"\uFFFDt\u00e9"}));
}

TEST(TextEncoding, Utf16InBothByteOrdersWithPairsAndStrayHalves) {
    EXPECT_EQ(DecodeUtf16("C\0a\0f\0\xE9\0\xA9\x03"s, false), L"Caf\u00e9\u03A9");
    EXPECT_EQ(DecodeUtf16("\0C\0a\0f\0\xE9\x03\xA9"s, true), L"Caf\u00e9\u03A9");
    EXPECT_EQ(DecodeUtf16("\x3D\xD8\x00\xDEx\0"s, false), L"\U0001F600x");
    EXPECT_EQ(DecodeUtf16("\xD8\x3D\xDE\x00"s, true), L"\U0001F600");
    EXPECT_EQ(DecodeUtf16("\x3D\xD8"s + "A\0"s, false), L"\uFFFDA");      // a leading half before a plain unit
    EXPECT_EQ(DecodeUtf16("\x00\xDE"s + "A\0"s, false), L"\uFFFDA");      // a trailing half alone
    EXPECT_EQ(DecodeUtf16("\x00\xDE\x3D\xD8"s, false), L"\uFFFD\uFFFD");  // the halves the wrong way round
    EXPECT_EQ(DecodeUtf16("A\0\x3D\xD8"s, false), L"A\uFFFD");            // a leading half at the end
    EXPECT_EQ(DecodeUtf16("A\0B"s, false), L"A\uFFFD");                   // an odd byte at the end
    EXPECT_EQ(DecodeUtf16("A\0\x3D\xD8\x00"s, false), L"A\uFFFD");        // both at the end: one error
    EXPECT_EQ(DecodeUtf16("", false), L"");
}

TEST(TextEncoding, Utf16IsDecodedBeforeLinesAreFound) {
    // U+010A's bytes hold 0x0A and U+0D0D's hold 0x0D: neither ends a line in UTF-16.
    const std::string bytes = "\xFF\xFE\x0A\x01\x0D\x0D\r\0\n\0x\0\n\0"s;
    const FileText text(bytes);
    EXPECT_EQ(text.encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(text.LineCount(), 3u);
    EXPECT_EQ(AllLines(text), (Lines{L"\u010A\u0D0D", L"x"}));
}

std::string Utf16(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    for (const wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(TextEncoding, Utf16WithoutAMarkOnlyWhereItIsUnambiguous) {
    const std::wstring pls = L"[playlist]\r\nTitle1=\u65e5\u672c \u00e9\r\n";
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = Utf16(pls, bigEndian);
        const FileText text(bytes);
        EXPECT_EQ(text.encoding(), bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le);
        EXPECT_EQ(AllLines(text), (Lines{L"[playlist]", L"Title1=\u65e5\u672c \u00e9"}));
    }
    ExpectChoice(Utf16(L"#EXT", false), TextEncoding::Utf16Le, 0);
    ExpectChoice(Utf16(L"#EX\n#EXTINF", false), TextEncoding::EightBit, 0);                // a first line too short to tell
    ExpectChoice(Utf16(L"#EXTM3U\n", true) + "x", TextEncoding::EightBit, 0);              // an odd size
    ExpectChoice(Utf16(L"\u65e5\u672c\r\n[playlist]", false), TextEncoding::EightBit, 0);  // a first line not of Latin letters
    ExpectChoice(Utf16(L"[playlist]\r\n\u4e00", false), TextEncoding::EightBit, 0);        // a zero at an even offset too
    ExpectChoice(Utf16(L"[playlist]\r\n\u4e00", true), TextEncoding::EightBit, 0);         // and at an odd one
    ExpectChoice(std::string(1000, '\0'), TextEncoding::EightBit, 0);
    ExpectChoice("#EXTM3U\r\n\0\r\n"s, TextEncoding::EightBit, 0);
    ExpectChoice("#\0E\0X\0T\0\n\0"s + std::string(300, 'x') + "\0x"s, TextEncoding::EightBit, 0);  // one zero far on, even
}

TEST(TextEncoding, TextsWithoutLfButWithCrHaveCrLineEnds) {
    EXPECT_EQ(AllLines(FileText("#EXTM3U\r#EXTINF:1,A\rp\r")), (Lines{L"#EXTM3U", L"#EXTINF:1,A", L"p"}));
    EXPECT_EQ(FileText("#EXTM3U\r#EXTINF:1,A\rp\r").LineCount(), 4u);
    EXPECT_EQ(AllLines(FileText("\xEF\xBB\xBF\xCE\xA9\r\r\xCE\xB1")), (Lines{L"\u03A9", L"", L"\u03B1"}));
    EXPECT_EQ(AllLines(FileText("\xFE\xFF\0a\0\r\0b"s)), (Lines{L"a", L"b"}));
    // One LF anywhere and every CR is text.
    EXPECT_EQ(AllLines(FileText("a\rb\rc\n")), (Lines{L"a\rb\rc"}));
}

}  // namespace
}  // namespace lyrics
