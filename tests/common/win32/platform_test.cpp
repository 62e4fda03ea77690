// The Windows side of common/: the system's code page, lower-casing (in pieces over the system's
// table), folder listing and decimal separator, checked where they must agree with the portable
// build and where Windows differs; and the folder of the program itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "common/ansi_fit.h"
#include "common/file_io.h"
#include "common/folder_listing.h"
#include "common/local_time.h"
#include "common/lower_case.h"
#include "common/number_text.h"
#include "common/text_codec.h"
#include "common/win32/program_folder.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using testing::TempFolder;
using testing::ValueOf;

// The Western code page is what Wine and most Windows installations use; elsewhere the expectations
// below do not hold and say nothing about the code.
bool AnsiIsWindows1252() { return GetACP() == 1252; }

TEST(Win32AnsiCodec, AgreesWithThePortableWindows1252TableByteForByte) {
    if (!AnsiIsWindows1252()) GTEST_SKIP() << "ANSI code page is " << GetACP();
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::wstring decoded = DecodeAnsi(byte);
        ASSERT_EQ(decoded.size(), 1u) << "byte " << b;
        EXPECT_EQ(decoded[0], Windows1252Char(static_cast<unsigned char>(b))) << "byte " << b;
        EXPECT_EQ(EncodeAnsi(decoded), byte) << "byte " << b;  // the five undefined codes too
    }
}

TEST(Win32AnsiCodec, CharactersOutsideTheCodePageBecomeOneQuestionMarkNotALookAlike) {
    if (!AnsiIsWindows1252()) GTEST_SKIP() << "ANSI code page is " << GetACP();
    // Best fit would write "a", "L", "8" and pass a title off as one that is not in the playlist.
    EXPECT_EQ(EncodeAnsi(L"\u0101 \u0141 \u221e"), "? ? ?");
    EXPECT_EQ(EncodeAnsi(L"Sigur R\u00f3s \u2013 \u65e5\u672c"), "Sigur R\xf3s \x96 ??");
    EXPECT_EQ(EncodeAnsi(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(EncodeAnsi(L"x\U0001F600y"), "x?y");  // one character, one mark, as on Linux
}

TEST(Win32AnsiCodec, LongTextsCrossThePieceBoundariesIntact) {
    // Longer than one conversion piece (16 Mi characters), with a character outside the code page
    // right at the boundary.
    std::wstring text(std::size_t{1} << 24, L'\u00e9');
    text[text.size() - 1] = L'\u65e5';
    text += L"tail";
    const std::string bytes = EncodeAnsi(text);
    ASSERT_EQ(bytes.size(), text.size());
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "?tail");
    EXPECT_EQ(DecodeAnsi(bytes).substr(text.size() - 6), L"\u00e9\u003ftail");
}

TEST(Win32LowerCase, SystemMappingKeepsLengthsAndCoversAccentedAndNonLatinCapitals) {
    EXPECT_EQ(LowerCase(L"\u00c0\u00c9\u00ce\u00d5\u00dc \u00c7\u0152\u0178"),
              L"\u00e0\u00e9\u00ee\u00f5\u00fc \u00e7\u0153\u00ff");
    EXPECT_EQ(LowerCase(L"\u0391\u0392\u0393 \u0414\u0416"), L"\u03b1\u03b2\u03b3 \u0434\u0436");
    EXPECT_EQ(LowerCase(L"Ab\u00dfC 1\u00bd"), L"ab\u00dfc 1\u00bd");  // no "ss": one character stays one
    // Characters after an embedded NUL are mapped too: titles are counted, not terminated.
    EXPECT_EQ(LowerCase(std::wstring(L"A\0B", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(UpperCase(L"\u00e9t\u00e9 \u00ff"), L"\u00c9T\u00c9 \u0178");
    const std::wstring pair = L"X\U0001F600Y";  // a surrogate pair passes untouched
    EXPECT_EQ(LowerCase(pair), L"x\U0001F600y");
}

// Matching ignores case on both builds; where the two mappings differ, a title could match on one
// machine and not on the other.
TEST(Win32LowerCase, AgreesWithTheWesternCodePagesOwnPairs) {
    for (int b = 0xC0; b <= 0xDE; ++b) {
        if (b == 0xD7) continue;  // the multiplication sign has no small form
        const wchar_t capital = Windows1252Char(static_cast<unsigned char>(b));
        EXPECT_EQ(LowerCase(std::wstring(1, capital)), std::wstring(1, Windows1252Char(static_cast<unsigned char>(b + 0x20))))
            << "byte " << b;
    }
    EXPECT_EQ(LowerCase(L"\u0160\u017d\u0152\u0178"), L"\u0161\u017e\u0153\u00ff");
}

TEST(Win32FolderListing, ListsFilesOnlyWithNamesOutsideTheCodePageIntact) {
    TempFolder folder;
    const std::vector<std::wstring> names = {L"b song.txt", L"A Song.TXT", L"\u65e5\u672c\u8a9e.txt", L"\u0141\u00f3d\u017a.txt",
                                             L"no extension"};
    for (const std::wstring& name : names) folder.Write(name, "x");
    std::filesystem::create_directory(folder.path() / L"subfolder.txt");

    const Result<std::vector<std::wstring>> listed = ListFolderFiles(folder.text());
    ASSERT_TRUE(listed) << std::string(listed.failure().message.begin(), listed.failure().message.end());
    EXPECT_EQ(testing::Sorted(*listed), testing::Sorted(names));

    // The same folder named with a closing separator, and a file read back through its wide name.
    const Result<std::vector<std::wstring>> again = ListFolderFiles(folder.text() + L"\\");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->size(), names.size());
    EXPECT_EQ(ValueOf(ReadFileBytes(folder / L"\u65e5\u672c\u8a9e.txt", L"lyrics file")), "x");
}

TEST(Win32FolderListing, EmptyMissingAndFileInsteadOfFolder) {
    TempFolder folder;
    const Result<std::vector<std::wstring>> empty = ListFolderFiles(folder.text());
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());

    const std::wstring missing = folder / L"missing";
    const Result<std::vector<std::wstring>> none = ListFolderFiles(missing);
    ASSERT_FALSE(none);
    const std::wstring& message = none.failure().message;
    EXPECT_TRUE(testing::Contains(message, L"\"" + missing + L"\""));
    EXPECT_GT(message.size(), message.find(L": ") + 3) << "the reason is missing";

    const std::wstring file = folder.Write(L"song.txt", "x");
    EXPECT_FALSE(FolderExists(file));
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FolderExists(folder.text()));
    EXPECT_FALSE(FileExists(folder.text()));
    EXPECT_FALSE(FolderExists(L""));
    EXPECT_FALSE(FileExists(missing));
}

TEST(Win32Files, UnmatchListWithAWideNameIsWrittenAndReadBack) {
    TempFolder folder;
    const std::wstring path = folder / L"UnMatch \u0416 \u00e9.txt";
    const std::string bytes = "line\r\n\xe9\r\n";
    ASSERT_TRUE(WriteFileBytes(path, bytes, L"unmatch list"));
    EXPECT_EQ(ValueOf(ReadFileBytes(path, L"unmatch list")), bytes);
}

// The list's name takes the time the system shows, whatever a TZ variable says: the C library
// reads TZ in its own short form only, and a zone name such as "Europe/Berlin" (as Wine passes on
// from the host) or another tool's setting would shift the name by hours.
TEST(Win32LocalTime, IsTheSystemsLocalTimeWhateverTzSays) {
    const char* const previous = std::getenv("TZ");
    const std::string kept = previous ? previous : "";
    // Five hours west of whatever the system's zone is, unless the system is there already.
    TIME_ZONE_INFORMATION zone{};
    const bool fiveWest = GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID && zone.Bias == 300;
    ASSERT_EQ(_putenv_s("TZ", fiveWest ? "XYZ-3" : "XYZ5"), 0);
    _tzset();
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);
    const LocalTime now = CurrentLocalTime();
    GetLocalTime(&after);
    _putenv_s("TZ", kept.c_str());
    _tzset();
    // The hour and day of either reading of the system's clock (a second may tick in between).
    const auto sameAs = [&](const SYSTEMTIME& t) {
        return now.year == t.wYear && now.month == t.wMonth && now.day == t.wDay && now.hour == t.wHour &&
               now.minute == t.wMinute;
    };
    EXPECT_TRUE(sameAs(before) || sameAs(after)) << now.year << "-" << now.month << "-" << now.day << " " << now.hour << ":"
                                                 << now.minute << " against " << before.wHour << ":" << before.wMinute;
}

TEST(Win32DecimalSeparator, TheUsersOwnSeparatorReadsBesidesThePoint) {
    wchar_t system[8] = {};
    ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, system, 8), 0);
    const wchar_t separator = UserDecimalSeparator();
    if (std::wstring(system).size() == 1)
        EXPECT_EQ(separator, system[0]);
    else
        EXPECT_EQ(separator, L'.');
    EXPECT_EQ(ReadsAsNumber(std::wstring(L"2") + separator + L"5"), 2.5);
    EXPECT_EQ(ReadsAsNumber(L"2.5"), 2.5);
}

TEST(Win32LowerCase, PairsAcrossTheInnerPiecesStayWhole) {
    // The text is checked in pieces of 4,096 units; a surrogate pair right at a piece's edge must be
    // mapped as one character, not taken for two lone halves.
    std::wstring text(4095, L'A');
    text += L"\U00010400\u0130\u03a3";
    text += std::wstring(5000, L'\u0416');
    text += L"\U00010400";
    const std::wstring lowered = LowerCase(text);
    ASSERT_EQ(lowered.size(), text.size());
    EXPECT_EQ(lowered.substr(4090, 9), L"aaaaa\U00010428\u0130\u03c3");
    EXPECT_EQ(lowered.substr(4100, 3), L"\u0436\u0436\u0436");
    EXPECT_EQ(lowered.substr(lowered.size() - 3), L"\u0436\U00010428");
}

TEST(Win32AnsiFit, ABestFitLookAlikeIsNoFit) {
    // WideCharToMultiByte without WC_NO_BEST_FIT_CHARS would write "a", "L" and "8" here.
    for (const wchar_t* text : {L"\u0101", L"\u0141", L"\u221e", L"\uff21"}) {
        std::string bytes;
        EXPECT_FALSE(AppendAnsiExactly(bytes, text)) << EncodeUtf8(text);
    }
    std::string bytes;
    EXPECT_TRUE(AppendAnsiExactly(bytes, L"plain"));
    EXPECT_EQ(bytes, "plain");
}

TEST(FolderOfPath, DropsTheFileName) {
    EXPECT_EQ(FolderOfPath(L"C:\\Program Files\\Lyrics\\Match.exe"), L"C:\\Program Files\\Lyrics");
    EXPECT_EQ(FolderOfPath(L"\\\\server\\share\\tools\\Match.exe"), L"\\\\server\\share\\tools");
}

TEST(FolderOfPath, ADrivesRootKeepsItsBackslash) {
    // The list's path is the folder, a backslash only if missing, and the name: no "C:\\UnMatch".
    EXPECT_EQ(FolderOfPath(L"C:\\Match.exe"), L"C:\\");
    EXPECT_EQ(FolderOfPath(L"Z:\\Match.exe"), L"Z:\\");
}

TEST(FolderOfPath, APathWithoutFolderHasNone) { EXPECT_EQ(FolderOfPath(L"Match.exe"), L""); }

TEST(ProgramPath, NamesThisProgramWhole) {
    const std::wstring path = ProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(testing::Contains(path, L"common_tests"));
    EXPECT_EQ(ProgramFolder(), FolderOfPath(path));
    EXPECT_EQ(path.find(L'\0'), std::wstring::npos);
}

}  // namespace
}  // namespace lyrics
