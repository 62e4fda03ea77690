#include "match/playlist_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/test_support.h"

namespace lyrics::match {
namespace {

Playlist Parse(std::string_view text, PlaylistType type) {
    Result<Playlist> playlist = ParsePlaylist(text, type, L"test");
    EXPECT_TRUE(playlist.ok()) << (playlist.ok()
                                       ? ""
                                       : std::string(playlist.failure().message.begin(), playlist.failure().message.end()));
    return playlist.ok() ? std::move(playlist).value() : Playlist{};
}

std::vector<std::wstring> NonBlank(const Playlist& playlist) {
    std::vector<std::wstring> titles;
    for (const auto& slot : playlist.playlistTitles) {
        if (!slot.empty()) titles.push_back(slot);
    }
    return titles;
}

using Titles = std::vector<std::wstring>;

TEST(PlaylistType, ChosenByTheLastThreeCharactersInAnyCase) {
    EXPECT_EQ(PlaylistTypeOf(L"C:\\a\\list.pls"), PlaylistType::Pls);
    EXPECT_EQ(PlaylistTypeOf(L"list.M3U"), PlaylistType::M3u);
    EXPECT_EQ(PlaylistTypeOf(L"list.B4s"), PlaylistType::B4s);
    EXPECT_EQ(PlaylistTypeOf(L"listm3u"), PlaylistType::M3u);    // the dot is not part of this test
    EXPECT_EQ(PlaylistTypeOf(L"list.m3u8"), PlaylistType::M3u);  // the UTF-8 .m3u of Winamp
    EXPECT_EQ(PlaylistTypeOf(L"C:\\a\\LIST.M3U8"), PlaylistType::M3u);
    EXPECT_EQ(PlaylistTypeOf(L"list.pls8"), PlaylistType::Unknown);
    EXPECT_EQ(PlaylistTypeOf(L"u"), PlaylistType::Unknown);
}

TEST(PlaylistSlots, OneSlotPerLineCountingTheLineAfterTheLastLineEnd) {
    EXPECT_EQ(Parse("#EXTM3U\n#EXTINF:1,A\npath\n", PlaylistType::M3u).playlistTitles.size(), 4u);
    EXPECT_EQ(Parse("#EXTM3U\r\n#EXTINF:1,A\r\npath", PlaylistType::M3u).playlistTitles.size(), 3u);
    EXPECT_EQ(Parse("", PlaylistType::Pls).playlistTitles.size(), 1u);
    const Playlist unknown = Parse("#EXTM3U\n#EXTINF:1,A\npath\n", PlaylistType::Unknown);
    EXPECT_EQ(unknown.playlistTitles.size(), 4u);
    EXPECT_TRUE(NonBlank(unknown).empty());
    EXPECT_EQ(unknown.titleCount, 0);
}

// --- .pls: header, then groups of file, title and length lines.

TEST(PlsReader, ReadsTitlesAndLengthsInGroupsOfThree) {
    const Playlist p = Parse(
        "[playlist]\r\nFile1=a.mp3\r\nTitle1=Artist - One\r\nLength1=215\r\n"
        "File2=b.mp3\r\nTitle2=Artist - Two\r\nLength2=-1\r\nNumberOfEntries=2\r\nVersion=2\r\n",
        PlaylistType::Pls);
    // The two lines after the last entry make one more pass: "Version=2" fails the title test and
    // the length line is read past the end, adding nothing.
    EXPECT_EQ(p.playlistTitles.size(), 10u);
    EXPECT_EQ(p.playlistTitles[0], L"Artist - One");
    EXPECT_EQ(p.playlistTitles[1], L"Artist - Two");
    EXPECT_EQ(NonBlank(p), (Titles{L"Artist - One", L"Artist - Two"}));
    EXPECT_EQ(p.titleCount, 2);
    EXPECT_EQ(p.totalSeconds, 214);  // a length of -1 lowers the total
}

TEST(PlsReader, TitleKeyInAnyCaseAndOnlyTheFirstEqualsFromPositionFiveIsCut) {
    const Playlist p =
        Parse("[playlist]\nF\nTITLE1==Song= \nLength1=1\nF\ntitle\nx\nF\nTitl=e\nx\nF\nTitle=  Spaced  \nx\n", PlaylistType::Pls);
    EXPECT_EQ(p.playlistTitles[0], L"=Song= ");
    EXPECT_EQ(p.playlistTitles[1], L"title");  // no "=" from position 5: the whole line
    EXPECT_EQ(p.playlistTitles[2], L"");       // "titl=" is not the key
    EXPECT_EQ(p.playlistTitles[3], L"  Spaced  ");
    EXPECT_EQ(p.titleCount, 3);
}

TEST(PlsReader, LengthLineNeedsLengthAndEqualsAndANumber) {
    EXPECT_EQ(Parse("[p]\nF\nTitle1=A\nLENGTH1=10\n", PlaylistType::Pls).totalSeconds, 10);
    EXPECT_EQ(Parse("[p]\nF\nTitle1=A\nx=10 length\n", PlaylistType::Pls).totalSeconds, 0);  // "10 length" is no number
    EXPECT_EQ(Parse("[p]\nF\nTitle1=A\nduration=10\n", PlaylistType::Pls).totalSeconds, 0);
    EXPECT_EQ(Parse("[p]\nF\nTitle1=A\nLength1 10\n", PlaylistType::Pls).totalSeconds, 0);
    EXPECT_EQ(Parse("[p]\nF\nTitle1=A\nLength1=\n", PlaylistType::Pls).totalSeconds, 0);
    EXPECT_EQ(Parse("[p]\nF\nTitle1=A\nLength1= 7 \n", PlaylistType::Pls).totalSeconds, 7);
}

TEST(PlsReader, FractionalLengthsRoundTheRunningSumHalfToEven) {
    // 0 + 0.5 = 0.5 -> 0; 0 + 1.5 -> 2; 2 + 0.5 = 2.5 -> 2
    EXPECT_EQ(Parse("[p]\nF\nTitle1=A\nLength1=0.5\nF\nTitle2=B\nLength2=1.5\nF\nTitle3=C\nLength3=0.5\n", PlaylistType::Pls)
                  .totalSeconds,
              2);
}

TEST(PlsReader, AMissingTitleLineShiftsTheGroupsForTheRestOfTheFile) {
    const Playlist p =
        Parse("[playlist]\nFile1=a\nLength1=100\nFile2=b\nTitle2=Two\nLength2=200\nFile3=c\nTitle3=Three\nLength3=300\n",
              PlaylistType::Pls);
    // Groups now read (File1, Length1, File2), (Title2, Length2, File3), (Title3, Length3, -).
    EXPECT_EQ(NonBlank(p), Titles{});
    EXPECT_EQ(p.titleCount, 0);
    EXPECT_EQ(p.totalSeconds, 0);
}

TEST(PlsReader, TruncatedEntryLeavesAnEmptySlotAndAddsNothing) {
    const Playlist p = Parse("[playlist]\nFile1=a\nTitle1=One\nLength1=5\nFile2=b", PlaylistType::Pls);
    EXPECT_EQ(NonBlank(p), Titles{L"One"});
    EXPECT_EQ(p.titleCount, 1);
    EXPECT_EQ(p.totalSeconds, 5);
}

TEST(PlsReader, SumBeyondInt32IsNotMade) {
    const Playlist p =
        Parse("[p]\nF\nTitle1=A\nLength1=2147483000\nF\nTitle2=B\nLength2=1000\nF\nTitle3=C\nLength3=600\n", PlaylistType::Pls);
    EXPECT_EQ(p.totalSeconds, 2147483600);
}

// --- .m3u: header, then groups of information line and media path.

TEST(M3uReader, TitleAfterTheFirstCommaAndLengthBeforeIt) {
    const Playlist p =
        Parse("#EXTM3U\r\n#EXTINF:215,Artist - Song, Part 2\r\nC:\\a.mp3\r\n#extinf:-1,Lower\r\nb.mp3\r\n", PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), (Titles{L"Artist - Song, Part 2", L"Lower"}));
    EXPECT_EQ(p.titleCount, 2);
    EXPECT_EQ(p.totalSeconds, 214);
}

TEST(M3uReader, InformationLineWithoutCommaIsWholeTitleAndAddsNothing) {
    const Playlist p = Parse("#EXTM3U\n#EXTINF:215 Song\npath\n", PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), Titles{L"#EXTINF:215 Song"});
    EXPECT_EQ(p.titleCount, 1);
    EXPECT_EQ(p.totalSeconds, 0);
}

TEST(M3uReader, EmptyOrNonNumericLengthAddsNothingButTitleStays) {
    const Playlist p = Parse("#EXTM3U\n#EXTINF:,A\np\n#EXTINF:abc,B\np\n#EXTINF: 12 ,C\np\n", PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), (Titles{L"A", L"B", L"C"}));
    EXPECT_EQ(p.totalSeconds, 12);
}

TEST(M3uReader, PathsOnlyGiveEmptySlots) {
    const Playlist p = Parse("C:\\one.mp3\nC:\\two.mp3\nC:\\three.mp3\n", PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), Titles{});
    EXPECT_EQ(p.titleCount, 0);
}

TEST(M3uReader, BlankLineBetweenEntriesShiftsThePairing) {
    const Playlist p =
        Parse("#EXTM3U\n#EXTINF:1,One\na.mp3\n\n#EXTINF:2,Two\nb.mp3\n#EXTINF:3,Three\nc.mp3\n", PlaylistType::M3u);
    // After the blank line the information line of "Two" is skipped as if it were a path.
    EXPECT_EQ(NonBlank(p), (Titles{L"One"}));
    EXPECT_EQ(p.totalSeconds, 1);
}

TEST(M3uReader, TitlesKeepCaseBlanksAndBytesAsAnsi) {
    const Playlist p = Parse("#EXTM3U\n#EXTINF:1,  Caf\xc3\xa9 \xe9  \n", PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), Titles{L"  Caf\u00c3\u00a9 \u00e9  "});
}

TEST(M3uReader, NulBytesAndLoneCrStayInTheTitle) {
    const std::string text("#EXTM3U\n#EXTINF:1,A\0B\rC\r\np\n", 25);
    const Playlist p = Parse(text, PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), Titles{std::wstring(L"A\0B\rC", 5)});
}

// --- .b4s: three header lines, the entry count in the fourth, then groups of four lines.

std::string B4s(std::string_view count, std::string_view entries) {
    return "<?xml version=\"1.0\"?>\n<WinampXML>\n<!-- x -->\n<playlist num_entries=" + std::string(count) + " label=\"L\">\n" +
           std::string(entries);
}

std::string Entry(std::string_view name, std::string_view lengthLine) {
    return "<entry Playstring=\"file:x.mp3\">\n<Name>" + std::string(name) + "</Name>\n" + std::string(lengthLine) +
           "\n</entry>\n";
}

TEST(B4sReader, NamesFillSlotsWithoutGapsAndCountComesFromTheFourthLine) {
    const Playlist p =
        Parse(B4s("\"3\"", Entry("One", "      <Length>215000</Length>") + "<entry>\n<nothing/>\n<x/>\n</entry>\n" +
                               Entry("Two", "      <Length>1500</Length>")),
              PlaylistType::B4s);
    EXPECT_EQ(p.playlistTitles[0], L"One");
    EXPECT_EQ(p.playlistTitles[1], L"Two");
    EXPECT_EQ(p.titleCount, 3);  // stated, not counted
    EXPECT_EQ(p.totalSeconds, 217);
}

TEST(B4sReader, LengthIsCutAtTheFixedCountAndRoundedPerEntry) {
    auto seconds = [](std::string_view lengthLine) {
        return Parse(B4s("\"1\"", Entry("A", lengthLine)), PlaylistType::B4s).totalSeconds;
    };
    EXPECT_EQ(seconds("      <Length>215000</Length>"), 215);
    EXPECT_EQ(seconds("      <Length>1500</Length>"), 2);
    EXPECT_EQ(seconds("      <Length>2500</Length>"), 2);
    EXPECT_EQ(seconds("      <Length>-1000</Length>"), -1);
    EXPECT_EQ(seconds("<Length>215000</Length>"), 0);     // no indentation: the value is cut empty
    EXPECT_EQ(seconds("   <Length>215000</Length>"), 0);  // three short: "215" ms rounds to 0 s
}

TEST(B4sReader, ShallowAndDeepIndentationLoseTheValue) {
    auto seconds = [](std::string_view lengthLine) {
        return Parse(B4s("\"1\"", Entry("A", lengthLine)), PlaylistType::B4s).totalSeconds;
    };
    EXPECT_EQ(seconds("    <Length>215000</Length>"), 2);      // two short: "2150" -> 2.15 s -> 2
    EXPECT_EQ(seconds("        <Length>215000</Length>"), 0);  // two deep: runs into the closing tag
    EXPECT_EQ(seconds("      <Length>215000"), 0);             // no closing tag
    EXPECT_EQ(seconds("      <length>215000</length>"), 0);    // tags are case-sensitive
}

TEST(B4sReader, NameLineWithoutNameTagEmptiesTheSlotAndKeepsTheIndex) {
    const Playlist p = Parse(B4s("\"2\"", Entry("One", "x") + "<entry>\n<name>lower</name>\nx\n</entry>\n" + Entry("Two", "x")),
                             PlaylistType::B4s);
    EXPECT_EQ(NonBlank(p), (Titles{L"One", L"Two"}));
    EXPECT_EQ(p.playlistTitles[1], L"Two");
}

TEST(B4sReader, NameWithoutClosingTagKeepsTheWholeLineAndAdvances) {
    const Playlist p = Parse(B4s("\"2\"", "<entry>\n  <Name>Open\nx\n</entry>\n" + Entry("Next", "x")), PlaylistType::B4s);
    EXPECT_EQ(p.playlistTitles[0], L"  <Name>Open");
    EXPECT_EQ(p.playlistTitles[1], L"Next");
}

TEST(B4sReader, CountThatIsNoNumberLeavesZeroAndNothingIsDecoded) {
    const Playlist p = Parse(B4s("\"many\"", Entry("Salt &amp; Pepper", "x")), PlaylistType::B4s);
    EXPECT_EQ(p.titleCount, 0);
    EXPECT_EQ(NonBlank(p), Titles{L"Salt &amp; Pepper"});
}

TEST(B4sReader, OnlyTheFirstCountTitlesAreDecoded) {
    const Playlist p =
        Parse(B4s("\"1.5\"", Entry("A &amp; B", "x") + Entry("C &amp; D", "x") + Entry("E &amp; F", "x")), PlaylistType::B4s);
    EXPECT_EQ(p.titleCount, 2);  // 1.5 rounds to the even 2
    EXPECT_EQ(NonBlank(p), (Titles{L"A & B", L"C & D", L"E &amp; F"}));
}

TEST(B4sReader, CountOutsideInt32CountsAsNoNumber) {
    EXPECT_EQ(Parse(B4s("\"4294967296\"", ""), PlaylistType::B4s).titleCount, 0);
    EXPECT_EQ(Parse(B4s("\"40000\"", ""), PlaylistType::B4s).titleCount, 40000);  // no 16-bit limit
    EXPECT_EQ(Parse(B4s("\"-3\"", Entry("A &amp; B", "x")), PlaylistType::B4s).titleCount, -3);
}

TEST(B4sReader, MissingHeaderOrCountIsAFailureNamingTheFile) {
    for (const char* text : {"", "<?xml?>\n<WinampXML>\n", "<?xml?>\n<WinampXML>\n<!-- -->\n",
                             "<?xml?>\n<WinampXML>\n<!-- -->\n<playlist num_entries=12>\n",
                             "<?xml?>\n<WinampXML>\n<!-- -->\n<playlist num_entries=\"12>\n"}) {
        const Result<Playlist> p = ParsePlaylist(text, PlaylistType::B4s, L"C:\\lists\\short.b4s");
        ASSERT_FALSE(p.ok()) << text;
        EXPECT_NE(p.failure().message.find(L"C:\\lists\\short.b4s"), std::wstring::npos);
    }
}

TEST(B4sReader, FourLinesAndNoEntriesAreFine) {
    const Playlist p = Parse(B4s("\"0\"", ""), PlaylistType::B4s);
    EXPECT_EQ(NonBlank(p), Titles{});
    EXPECT_EQ(p.titleCount, 0);
}

// --- Unicode playlists: decoded first, then walked as before.

// The text as UTF-16 in the given byte order, with its byte-order mark.
std::string Utf16(std::wstring_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text) {
        const auto unit = static_cast<unsigned>(c);
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(UnicodePlaylists, Utf8WithOrWithoutMarkGivesTheTitlesInEveryScript) {
    const std::string entries =
        "#EXTM3U\r\n#EXTINF:200,\xCE\xA9\xCE\xB4\xCE\xAE\r\nC:\\a.mp3\r\n#EXTINF:25,\xE6\x97\xA5\xE6\x9C\xAC - "
        "Caf\xC3\xA9\r\nb.mp3\r\n";
    for (const std::string& text : {entries, "\xEF\xBB\xBF" + entries}) {
        const Playlist p = Parse(text, PlaylistType::M3u);
        EXPECT_EQ(NonBlank(p), (Titles{L"\u03a9\u03b4\u03ae", L"\u65e5\u672c - Caf\u00e9"}));
        EXPECT_EQ(p.titleCount, 2);
        EXPECT_EQ(p.totalSeconds, 225);
        EXPECT_EQ(p.playlistTitles.size(), 6u);
    }
}

TEST(UnicodePlaylists, Utf16PlsInBothByteOrders) {
    const std::wstring text =
        L"[playlist]\r\nFile1=a.mp3\r\nTitle1=\u03a3\u0391\u03a3\r\nLength1=60\r\n"
        L"File2=b.mp3\r\nTitle2=\u30b5\u30af\u30e9\r\nLength2=1\r\nNumberOfEntries=2\r\n";
    for (const bool bigEndian : {false, true}) {
        const Playlist p = Parse(Utf16(text, bigEndian), PlaylistType::Pls);
        EXPECT_EQ(NonBlank(p), (Titles{L"\u03a3\u0391\u03a3", L"\u30b5\u30af\u30e9"}));
        EXPECT_EQ(p.titleCount, 2);
        EXPECT_EQ(p.totalSeconds, 61);
        EXPECT_EQ(p.playlistTitles.size(), 9u);
    }
}

TEST(UnicodePlaylists, B4sReferencesAreDecodedAfterTheText) {
    // The references and their table are those of before: "&#xC9;" is the lower-case "é".
    const std::string text =
        "\xEF\xBB\xBF" + B4s("\"1\"", Entry("\xCE\xA9 &amp; &#xC9;\xE6\x9C\xAC", "      <Length>5000</Length>"));
    const Playlist p = Parse(text, PlaylistType::B4s);
    EXPECT_EQ(NonBlank(p), Titles{L"\u03a9 & \u00e9\u672c"});
    EXPECT_EQ(p.totalSeconds, 5);
}

TEST(UnicodePlaylists, InvalidSequencesAfterAMarkBecomeReplacementCharacters) {
    const Playlist p = Parse("\xEF\xBB\xBF#EXTM3U\n#EXTINF:1,Caf\xE9\xC3\xA9\n", PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), Titles{L"Caf\uFFFD\u00e9"});
}

TEST(UnicodePlaylists, EightBitPlaylistsReadAsBefore) {
    // Windows-1252 titles, and a UTF-8 title beside a Windows-1252 byte: the file is not UTF-8.
    const Playlist p = Parse(
        "#EXTM3U\r\n#EXTINF:1,\xC1"
        "bba\r\np\r\n#EXTINF:1,Caf\xC3\xA9 \x80\r\np\r\n",
        PlaylistType::M3u);
    EXPECT_EQ(NonBlank(p), (Titles{L"\u00c1bba", L"Caf\u00c3\u00a9 \u20ac"}));
}

TEST(UnicodePlaylists, AnOldMacFileWithCrLineEndsGivesItsTitles) {
    const Playlist m3u = Parse("#EXTM3U\r#EXTINF:10,One\rone.mp3\r#EXTINF:20,Two\rtwo.mp3\r", PlaylistType::M3u);
    EXPECT_EQ(NonBlank(m3u), (Titles{L"One", L"Two"}));
    EXPECT_EQ(m3u.totalSeconds, 30);
    EXPECT_EQ(m3u.playlistTitles.size(), 6u);
    const Playlist pls = Parse(Utf16(L"[playlist]\rFile1=a\rTitle1=\u0416\rLength1=7", false), PlaylistType::Pls);
    EXPECT_EQ(NonBlank(pls), Titles{L"\u0416"});
    EXPECT_EQ(pls.totalSeconds, 7);
}

// --- Whole files.

TEST(ReadPlaylist, UnreadableFileIsAFailureNamingIt) {
    testing::TempFolder folder;
    const Result<Playlist> p = ReadPlaylist(folder / L"missing.m3u");
    ASSERT_FALSE(p.ok());
    EXPECT_NE(p.failure().message.find(L"missing.m3u"), std::wstring::npos);
}

TEST(ReadPlaylist, DecodesB4sTitlesFromTheFile) {
    testing::TempFolder folder;
    const std::wstring path = folder.Write(L"list.B4S", B4s("\"1\"", Entry("Caf&#xE9; &amp;amp; Bar", "x")));
    const Result<Playlist> p = ReadPlaylist(path);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(NonBlank(*p), Titles{L"Caf\u00e9 & Bar"});
}

TEST(ReadPlaylist, AnM3u8FileIsReadAsAnM3uInAnyEncoding) {
    testing::TempFolder folder;
    const Result<Playlist> utf8 = ReadPlaylist(folder.Write(L"Mix.M3U8", "#EXTM3U\n#EXTINF:3,\xCE\xA9\np\n"));
    ASSERT_TRUE(utf8.ok());
    EXPECT_EQ(NonBlank(*utf8), Titles{L"\u03a9"});
    const Result<Playlist> ansi = ReadPlaylist(folder.Write(L"Old.m3u8", "#EXTM3U\n#EXTINF:3,Caf\xE9\np\n"));
    ASSERT_TRUE(ansi.ok());
    EXPECT_EQ(NonBlank(*ansi), Titles{L"Caf\u00e9"});
    using namespace std::string_literals;  // UTF-16 LE without a byte-order mark
    const Result<Playlist> utf16 =
        ReadPlaylist(folder.Write(L"Wide.m3u", "#\0E\0X\0T\0M\0\x33\0U\0\n\0#\0E\0X\0T\0I\0N\0F\0:\0\x33\0,\0\xA9\x03\n\0"s));
    ASSERT_TRUE(utf16.ok());
    EXPECT_EQ(NonBlank(*utf16), Titles{L"\u03a9"});
}

TEST(ReadPlaylist, OneHugeLineIsSkippedWithoutTrouble) {
    testing::TempFolder folder;
    std::string text(100'000'000, 'x');
    text += "\n#EXTINF:3,After\np\n";
    const Result<Playlist> p = ReadPlaylist(folder.Write(L"huge.m3u", text));
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(NonBlank(*p), Titles{L"After"});
    EXPECT_EQ(p->totalSeconds, 3);
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
    const Playlist p = Parse("#EXTM3U\n#EXTINF:1,A\na\nx\nx\n#EXTINF:1,B\nb\n", PlaylistType::M3u);
    ASSERT_EQ(p.playlistTitles.size(), 8u);
    EXPECT_EQ(p.playlistTitles.Texts(), (Titles{L"A", L"B"}));
    Titles all(p.playlistTitles.begin(), p.playlistTitles.end());
    EXPECT_EQ(all, (Titles{L"A", L"", L"B", L"", L"", L"", L"", L""}));
    EXPECT_EQ(p.playlistTitles[2], L"B");
}

TEST(PlaylistFiles, AnEmptyM3uOrPlsIsNoPlaylist) {
    testing::TempFolder folder;
    for (const std::wstring name : {L"e.m3u", L"e.pls", L"E.M3U8"}) {
        const Result<Playlist> empty = ReadPlaylist(folder.Write(name, ""));
        ASSERT_FALSE(empty);
        EXPECT_NE(empty.failure().message.find(L"is empty"), std::wstring::npos);
    }
    EXPECT_FALSE(ReadPlaylist(folder.Write(L"u.pls", "\xFF\xFE")));
    EXPECT_TRUE(ReadPlaylist(folder.Write(L"n.pls", "\n")));
}

}  // namespace
}  // namespace lyrics::match
