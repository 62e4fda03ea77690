#include "match/playlist_reader.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "common/text_codec.h"
#include "tests/test_support.h"

namespace lyrics::match {
namespace {

using Titles = std::vector<std::wstring>;
using lyrics::testing::Contains;
using namespace std::string_literals;

Playlist Parse(std::string_view text, PlaylistType type) {
    Result<Playlist> playlist = ParsePlaylist(text, type, L"test");
    EXPECT_TRUE(playlist.ok()) << (playlist.ok() ? "" : EncodeUtf8(playlist.failure().message));
    return playlist.ok() ? std::move(playlist).value() : Playlist{};
}

// .b4s: three header lines, the entry count in the fourth, then groups of four lines.
std::string B4sText(std::string_view count, std::string_view entries) {
    return "<?xml version=\"1.0\"?>\n<WinampXML>\n<!-- x -->\n<playlist num_entries=" + std::string(count) + " label=\"L\">\n" +
           std::string(entries);
}

std::string Entry(std::string_view name, std::string_view lengthLine) {
    return "<entry Playstring=\"file:x.mp3\">\n<Name>" + std::string(name) + "</Name>\n" + std::string(lengthLine) +
           "\n</entry>\n";
}

std::string B4sLength(std::string_view lengthLine) { return B4sText("\"1\"", Entry("A", lengthLine)); }

// The text as UTF-16 in the given byte order, with its byte-order mark.
std::string Utf16(std::wstring_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// A playlist text and all it reads as: every slot up to the last title (the slots after it are
// blank), the slot count, the title count and the playing time.
struct ParsedText {
    const char* name;
    PlaylistType type;
    std::size_t slotCount;
    std::int64_t titleCount;
    std::int32_t totalSeconds;
    Titles slots;
    std::string text;
};

ParsedText Row(const char* name, PlaylistType type, std::size_t slotCount, std::int64_t titleCount, std::int32_t totalSeconds,
               Titles slots, std::string text) {
    return {name, type, slotCount, titleCount, totalSeconds, std::move(slots), std::move(text)};
}

class PlaylistText : public ::testing::TestWithParam<ParsedText> {};

TEST_P(PlaylistText, Reads) {
    const ParsedText& row = GetParam();
    const Playlist p = Parse(row.text, row.type);
    Titles expected = row.slots;
    expected.resize(row.slotCount);
    EXPECT_EQ(Titles(p.playlistTitles.begin(), p.playlistTitles.end()), expected);
    EXPECT_EQ(p.titleCount, row.titleCount);
    EXPECT_EQ(p.totalSeconds, row.totalSeconds);
}

std::string RowName(const ::testing::TestParamInfo<ParsedText>& info) { return info.param.name; }
void PrintTo(const ParsedText& row, std::ostream* out) { *out << row.name; }

using enum PlaylistType;

const ParsedText kSlotRows[] = {
    Row("OneSlotPerLineCountingTheLineAfterTheLastLineEnd", M3u, 4, 1, 1, {L"A"}, "#EXTM3U\n#EXTINF:1,A\npath\n"),
    Row("ALastLineWithoutLineEndIsASlot", M3u, 3, 1, 1, {L"A"}, "#EXTM3U\r\n#EXTINF:1,A\r\npath"),
    Row("AnEmptyTextIsOneSlot", Pls, 1, 0, 0, {}, ""),
    Row("TitlesSitInTheSlotsOfTheirGroups", M3u, 8, 2, 2, {L"A", L"", L"B"}, "#EXTM3U\n#EXTINF:1,A\na\nx\nx\n#EXTINF:1,B\nb\n"),
    Row("AnUnknownKindGivesBlankSlotsOnly", Unknown, 4, 0, 0, {}, "#EXTM3U\n#EXTINF:1,A\npath\n"),
};
INSTANTIATE_TEST_SUITE_P(PlaylistSlots, PlaylistText, ::testing::ValuesIn(kSlotRows), RowName);

// .pls: header, then groups of file, title and length lines.
const ParsedText kPlsRows[] = {
    // The two lines after the last entry make one more pass: "Version=2" fails the title test and
    // the length line is read past the end, adding nothing. A length of -1 lowers the total.
    Row("ReadsTitlesAndLengthsInGroupsOfThree", Pls, 10, 2, 214, {L"Artist - One", L"Artist - Two"},
        "[playlist]\r\nFile1=a.mp3\r\nTitle1=Artist - One\r\nLength1=215\r\n"
        "File2=b.mp3\r\nTitle2=Artist - Two\r\nLength2=-1\r\nNumberOfEntries=2\r\nVersion=2\r\n"),
    // No "=" from position 5 is the whole line; "titl=" is not the key.
    Row("TitleKeyInAnyCaseAndOnlyTheFirstEqualsFromPositionFiveIsCut", Pls, 14, 3, 1, {L"=Song= ", L"title", L"", L"  Spaced  "},
        "[playlist]\nF\nTITLE1==Song= \nLength1=1\nF\ntitle\nx\nF\nTitl=e\nx\nF\nTitle=  Spaced  \nx\n"),
    // 0 + 0.5 = 0.5 -> 0; 0 + 1.5 -> 2; 2 + 0.5 = 2.5 -> 2
    Row("FractionalLengthsRoundTheRunningSumHalfToEven", Pls, 11, 3, 2, {L"A", L"B", L"C"},
        "[p]\nF\nTitle1=A\nLength1=0.5\nF\nTitle2=B\nLength2=1.5\nF\nTitle3=C\nLength3=0.5\n"),
    // Groups read (File1, Length1, File2), (Title2, Length2, File3), (Title3, Length3, -).
    Row("AMissingTitleLineShiftsTheGroupsForTheRestOfTheFile", Pls, 10, 0, 0, {},
        "[playlist]\nFile1=a\nLength1=100\nFile2=b\nTitle2=Two\nLength2=200\nFile3=c\nTitle3=Three\nLength3=300\n"),
    Row("TruncatedEntryLeavesAnEmptySlotAndAddsNothing", Pls, 5, 1, 5, {L"One"},
        "[playlist]\nFile1=a\nTitle1=One\nLength1=5\nFile2=b"),
    Row("SumBeyondInt32IsNotMade", Pls, 11, 3, 2147483600, {L"A", L"B", L"C"},
        "[p]\nF\nTitle1=A\nLength1=2147483000\nF\nTitle2=B\nLength2=1000\nF\nTitle3=C\nLength3=600\n"),
};
INSTANTIATE_TEST_SUITE_P(PlsReader, PlaylistText, ::testing::ValuesIn(kPlsRows), RowName);

// .m3u: header, then groups of information line and media path.
const ParsedText kM3uRows[] = {
    Row("TitleAfterTheFirstCommaAndLengthBeforeIt", M3u, 6, 2, 214, {L"Artist - Song, Part 2", L"Lower"},
        "#EXTM3U\r\n#EXTINF:215,Artist - Song, Part 2\r\nC:\\a.mp3\r\n#extinf:-1,Lower\r\nb.mp3\r\n"),
    Row("InformationLineWithoutCommaIsWholeTitleAndAddsNothing", M3u, 4, 1, 0, {L"#EXTINF:215 Song"},
        "#EXTM3U\n#EXTINF:215 Song\npath\n"),
    Row("EmptyOrNonNumericLengthAddsNothingButTitleStays", M3u, 8, 3, 12, {L"A", L"B", L"C"},
        "#EXTM3U\n#EXTINF:,A\np\n#EXTINF:abc,B\np\n#EXTINF: 12 ,C\np\n"),
    Row("PathsOnlyGiveEmptySlots", M3u, 4, 0, 0, {}, "C:\\one.mp3\nC:\\two.mp3\nC:\\three.mp3\n"),
    // After the blank line the information line of "Two" is skipped as if it were a path.
    Row("BlankLineBetweenEntriesShiftsThePairing", M3u, 9, 1, 1, {L"One"},
        "#EXTM3U\n#EXTINF:1,One\na.mp3\n\n#EXTINF:2,Two\nb.mp3\n#EXTINF:3,Three\nc.mp3\n"),
    Row("TitlesKeepCaseBlanksAndBytesAsAnsi", M3u, 3, 1, 1, {L"  Caf\u00c3\u00a9 \u00e9  "},
        "#EXTM3U\n#EXTINF:1,  Caf\xc3\xa9 \xe9  \n"),
    Row("NulBytesAndLoneCrStayInTheTitle", M3u, 4, 1, 1, {std::wstring(L"A\0B\rC", 5)}, "#EXTM3U\n#EXTINF:1,A\0B\rC\r\np\n"s),
};
INSTANTIATE_TEST_SUITE_P(M3uReader, PlaylistText, ::testing::ValuesIn(kM3uRows), RowName);

const ParsedText kB4sRows[] = {
    // The count is the one stated, not the one counted.
    Row("NamesFillSlotsWithoutGapsAndCountComesFromTheFourthLine", B4s, 17, 3, 217, {L"One", L"Two"},
        B4sText("\"3\"", Entry("One", "      <Length>215000</Length>") + "<entry>\n<nothing/>\n<x/>\n</entry>\n" +
                             Entry("Two", "      <Length>1500</Length>"))),
    Row("NameLineWithoutNameTagEmptiesTheSlotAndKeepsTheIndex", B4s, 17, 2, 0, {L"One", L"Two"},
        B4sText("\"2\"", Entry("One", "x") + "<entry>\n<name>lower</name>\nx\n</entry>\n" + Entry("Two", "x"))),
    Row("NameWithoutClosingTagKeepsTheWholeLineAndAdvances", B4s, 13, 2, 0, {L"  <Name>Open", L"Next"},
        B4sText("\"2\"", "<entry>\n  <Name>Open\nx\n</entry>\n" + Entry("Next", "x"))),
    Row("CountThatIsNoNumberLeavesZeroAndNothingIsDecoded", B4s, 9, 0, 0, {L"Salt &amp; Pepper"},
        B4sText("\"many\"", Entry("Salt &amp; Pepper", "x"))),
    // 1.5 rounds to the even 2.
    Row("OnlyTheFirstCountTitlesAreDecoded", B4s, 17, 2, 0, {L"A & B", L"C & D", L"E &amp; F"},
        B4sText("\"1.5\"", Entry("A &amp; B", "x") + Entry("C &amp; D", "x") + Entry("E &amp; F", "x"))),
    Row("CountOutsideInt32CountsAsNoNumber", B4s, 5, 0, 0, {}, B4sText("\"4294967296\"", "")),
    Row("CountHasNoSixteenBitLimit", B4s, 5, 40000, 0, {}, B4sText("\"40000\"", "")),
    Row("NegativeCountDecodesNothing", B4s, 9, -3, 0, {L"A &amp; B"}, B4sText("\"-3\"", Entry("A &amp; B", "x"))),
    Row("FourLinesAndNoEntriesAreFine", B4s, 5, 0, 0, {}, B4sText("\"0\"", "")),
};
INSTANTIATE_TEST_SUITE_P(B4sReader, PlaylistText, ::testing::ValuesIn(kB4sRows), RowName);

// Unicode playlists: decoded first, then walked in the same strides.
const std::string kUtf8M3u =
    "#EXTM3U\r\n#EXTINF:200,\xCE\xA9\xCE\xB4\xCE\xAE\r\nC:\\a.mp3\r\n#EXTINF:25,\xE6\x97\xA5\xE6\x9C\xAC - "
    "Caf\xC3\xA9\r\nb.mp3\r\n";
const Titles kUtf8Titles = {L"\u03a9\u03b4\u03ae", L"\u65e5\u672c - Caf\u00e9"};
const std::wstring kUtf16Pls =
    L"[playlist]\r\nFile1=a.mp3\r\nTitle1=\u03a3\u0391\u03a3\r\nLength1=60\r\n"
    L"File2=b.mp3\r\nTitle2=\u30b5\u30af\u30e9\r\nLength2=1\r\nNumberOfEntries=2\r\n";
const Titles kUtf16Titles = {L"\u03a3\u0391\u03a3", L"\u30b5\u30af\u30e9"};

const ParsedText kUnicodeRows[] = {
    Row("Utf8WithoutMarkGivesTheTitlesInEveryScript", M3u, 6, 2, 225, kUtf8Titles, kUtf8M3u),
    Row("Utf8WithMarkGivesTheTitlesInEveryScript", M3u, 6, 2, 225, kUtf8Titles, "\xEF\xBB\xBF" + kUtf8M3u),
    Row("Utf16PlsLittleEndian", Pls, 9, 2, 61, kUtf16Titles, Utf16(kUtf16Pls, false)),
    Row("Utf16PlsBigEndian", Pls, 9, 2, 61, kUtf16Titles, Utf16(kUtf16Pls, true)),
    // "&#xC9;" is the lower-case "é" of the reference table.
    Row("B4sReferencesAreDecodedAfterTheText", B4s, 9, 1, 5, {L"\u03a9 & \u00e9\u672c"},
        "\xEF\xBB\xBF" + B4sText("\"1\"", Entry("\xCE\xA9 &amp; &#xC9;\xE6\x9C\xAC", "      <Length>5000</Length>"))),
    Row("InvalidSequencesAfterAMarkBecomeReplacementCharacters", M3u, 3, 1, 1, {L"Caf\uFFFD\u00e9"},
        "\xEF\xBB\xBF#EXTM3U\n#EXTINF:1,Caf\xE9\xC3\xA9\n"),
    // Windows-1252 titles, and a UTF-8 title beside a Windows-1252 byte: the file is not UTF-8.
    Row("EightBitPlaylistsReadAsWindows1252", M3u, 6, 2, 2, {L"\u00c1bba", L"Caf\u00c3\u00a9 \u20ac"},
        "#EXTM3U\r\n#EXTINF:1,\xC1"
        "bba\r\np\r\n#EXTINF:1,Caf\xC3\xA9 \x80\r\np\r\n"),
    Row("AnOldMacM3uWithCrLineEndsGivesItsTitles", M3u, 6, 2, 30, {L"One", L"Two"},
        "#EXTM3U\r#EXTINF:10,One\rone.mp3\r#EXTINF:20,Two\rtwo.mp3\r"),
    Row("AnOldMacUtf16PlsWithCrLineEndsGivesItsTitles", Pls, 4, 1, 7, {L"\u0416"},
        Utf16(L"[playlist]\rFile1=a\rTitle1=\u0416\rLength1=7", false)),
};
INSTANTIATE_TEST_SUITE_P(UnicodePlaylists, PlaylistText, ::testing::ValuesIn(kUnicodeRows), RowName);

TEST(PlaylistType, ChosenByTheLastThreeCharactersInAnyCase) {
    EXPECT_EQ(PlaylistTypeOf(L"C:\\a\\list.pls"), PlaylistType::Pls);
    EXPECT_EQ(PlaylistTypeOf(L"list.B4s"), PlaylistType::B4s);
    // The dot is not part of the test; ".m3u8" is the UTF-8 .m3u of Winamp.
    for (const wchar_t* path : {L"list.M3U", L"listm3u", L"list.m3u8", L"C:\\a\\LIST.M3U8"}) {
        EXPECT_EQ(PlaylistTypeOf(path), PlaylistType::M3u) << EncodeUtf8(path);
    }
    for (const wchar_t* path : {L"list.pls8", L"u"}) EXPECT_EQ(PlaylistTypeOf(path), PlaylistType::Unknown) << EncodeUtf8(path);
}

// The playing time of each playlist text made around one length line.
using Seconds = std::vector<std::int32_t>;
Seconds LengthsOf(PlaylistType type, std::string (*text)(std::string_view), const std::vector<std::string_view>& lines) {
    Seconds seconds;
    for (const std::string_view line : lines) seconds.push_back(Parse(text(line), type).totalSeconds);
    return seconds;
}

std::string PlsLength(std::string_view line) { return "[p]\nF\nTitle1=A\n" + std::string(line) + "\n"; }

TEST(PlsReader, LengthLineNeedsLengthAndEqualsAndANumber) {
    // "10 length" is no number.
    EXPECT_EQ(LengthsOf(PlaylistType::Pls, PlsLength,
                        {"LENGTH1=10", "x=10 length", "duration=10", "Length1 10", "Length1=", "Length1= 7 "}),
              (Seconds{10, 0, 0, 0, 0, 7}));
}

TEST(B4sReader, LengthIsCutAtTheFixedCountAndRoundedPerEntry) {
    // Without indentation the value is cut empty; three short, 215 ms round to 0 s.
    EXPECT_EQ(LengthsOf(PlaylistType::B4s, B4sLength,
                        {"      <Length>215000</Length>", "      <Length>1500</Length>", "      <Length>2500</Length>",
                         "      <Length>-1000</Length>", "<Length>215000</Length>", "   <Length>215000</Length>"}),
              (Seconds{215, 2, 2, -1, 0, 0}));
}

TEST(B4sReader, ShallowAndDeepIndentationLoseTheValue) {
    // Two short: 2.15 s; two deep: into the closing tag; no closing tag; tags are case-sensitive.
    EXPECT_EQ(LengthsOf(PlaylistType::B4s, B4sLength,
                        {"    <Length>215000</Length>", "        <Length>215000</Length>", "      <Length>215000",
                         "      <length>215000</length>"}),
              (Seconds{2, 0, 0, 0}));
}

TEST(B4sReader, MissingHeaderOrCountIsAFailureNamingTheFile) {
    for (const char* text : {"", "<?xml?>\n<WinampXML>\n", "<?xml?>\n<WinampXML>\n<!-- -->\n",
                             "<?xml?>\n<WinampXML>\n<!-- -->\n<playlist num_entries=12>\n",
                             "<?xml?>\n<WinampXML>\n<!-- -->\n<playlist num_entries=\"12>\n"}) {
        const Result<Playlist> p = ParsePlaylist(text, PlaylistType::B4s, L"C:\\lists\\short.b4s");
        ASSERT_FALSE(p.ok()) << text;
        EXPECT_TRUE(Contains(p.failure().message, L"C:\\lists\\short.b4s"));
    }
}

TEST(PlaylistSlots, BlankSlotsAreNotStoredYetReadBackBlank) {
    // A file of bare line ends: a slot per line, none of them kept.
    const std::string lineEnds(200000, '\n');
    for (const PlaylistType type : {PlaylistType::M3u, PlaylistType::Pls}) {
        const Playlist p = Parse(lineEnds, type);
        EXPECT_EQ(p.playlistTitles.size(), lineEnds.size() + 1);
        EXPECT_LE(p.playlistTitles.Texts().size(), 1u);
        EXPECT_EQ(p.playlistTitles[12345], L"");
    }
    // Of a file with titles only the titles are kept.
    const Playlist p = Parse("#EXTM3U\n#EXTINF:1,A\na\nx\nx\n#EXTINF:1,B\nb\n", PlaylistType::M3u);
    EXPECT_EQ(p.playlistTitles.Texts(), (Titles{L"A", L"B"}));
    EXPECT_EQ(p.playlistTitles[2], L"B");
}

// Whole files: read, decoded by their bytes whatever the name says, .b4s references decoded.
TEST(ReadPlaylist, ReadsEveryKindFromItsFile) {
    const std::vector<std::tuple<std::wstring, std::string, Titles, std::int32_t>> files = {
        {L"list.B4S", B4sText("\"1\"", Entry("Caf&#xE9; &amp;amp; Bar", "x")), {L"Caf\u00e9 & Bar"}, 0},
        {L"Mix.M3U8", "#EXTM3U\n#EXTINF:3,\xCE\xA9\np\n", {L"\u03a9"}, 3},
        {L"Old.m3u8", "#EXTM3U\n#EXTINF:3,Caf\xE9\np\n", {L"Caf\u00e9"}, 3},
        // UTF-16 LE without a byte-order mark.
        {L"Wide.m3u", "#\0E\0X\0T\0M\0\x33\0U\0\n\0#\0E\0X\0T\0I\0N\0F\0:\0\x33\0,\0\xA9\x03\n\0"s, {L"\u03a9"}, 3},
        // One huge line is skipped without trouble.
        {L"huge.m3u", std::string(100'000'000, 'x') + "\n#EXTINF:3,After\np\n", {L"After"}, 3},
    };
    testing::TempFolder folder;
    for (const auto& [name, bytes, titles, seconds] : files) {
        SCOPED_TRACE(EncodeUtf8(name));
        const Result<Playlist> p = ReadPlaylist(folder.Write(name, bytes));
        ASSERT_TRUE(p.ok());
        Titles read(p->playlistTitles.begin(), p->playlistTitles.end());
        std::erase(read, L"");
        EXPECT_EQ(read, titles);
        EXPECT_EQ(p->totalSeconds, seconds);
    }
}

TEST(ReadPlaylist, UnreadableFileIsAFailureNamingIt) {
    testing::TempFolder folder;
    const Result<Playlist> p = ReadPlaylist(folder / L"missing.m3u");
    ASSERT_FALSE(p.ok());
    EXPECT_TRUE(Contains(p.failure().message, L"missing.m3u"));
}

TEST(PlaylistFiles, AnEmptyM3uOrPlsIsNoPlaylist) {
    testing::TempFolder folder;
    for (const std::wstring name : {L"e.m3u", L"e.pls", L"E.M3U8"}) {
        const Result<Playlist> empty = ReadPlaylist(folder.Write(name, ""));
        ASSERT_FALSE(empty);
        EXPECT_TRUE(Contains(empty.failure().message, L"is empty"));
    }
    EXPECT_FALSE(ReadPlaylist(folder.Write(L"u.pls", "\xFF\xFE")));
    EXPECT_TRUE(ReadPlaylist(folder.Write(L"n.pls", "\n")));
}

}  // namespace
}  // namespace lyrics::match
