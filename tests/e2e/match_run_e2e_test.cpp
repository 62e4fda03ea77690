// Match.exe's runs: the unmatch list written beside the program and offered, and every failure
// reported in a box by name and with the system's own reason.
#include "tests/e2e/match_fixture.h"

#include "tests/driver/system_words.h"

namespace match_e2e {
namespace {

// A run writes its list beside Match.exe and offers to open it: No leaves it unopened, Yes opens
// it in Notepad.
TEST_F(MatchProgram, RunWritesTheListBesideMatchLeavesItUnopenedOnNoAndOpensItOnYes) {
    TypePaths(Work().lyricsFolder, Playlist(L"Loud.M3U"));  // the extension counts in any case
    std::wstring listName;
    HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_EQ(WaitForNotepadOf(listName, 2s), nullptr) << "No opens nothing";
    EXPECT_EQ(FilesMatching(Work().folder, kListPattern).size(), 1u) << "the list stays";
    EXPECT_TRUE(match_.IsRunning());
    DeleteFilesMatching(Work().folder, kListPattern);

    const std::wstring playlist = Playlist(L"Mix.m3u");
    Type(kIdTxtOpen, playlist);
    box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    ASSERT_FALSE(listName.empty());
    const std::wstring listPath = InWork(listName);

    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, L"Unmatch List");
    EXPECT_EQ(view.text, L"A list has been created in \"" + listPath + L"\"\r\n\r\nDo you want to open the list now?");
    EXPECT_EQ(std::set<int>(view.buttons.begin(), view.buttons.end()), (std::set<int>{IDYES, IDNO}));
    EXPECT_EQ(view.defaultButton, IDYES);
    EXPECT_EQ(view.icon, IconColour::Blue) << "the information icon";

    // alpha and Beta match Alpha.txt and BETA.TXT whatever the case; Delta Café and Gamma are left.
    std::string written;
    ASSERT_TRUE(ReadFileBytes(listPath, written));
    EXPECT_EQ(written, AnsiBytes(UnmatchListText(playlist, L"1:2:5", L"Delta Caf\u00e9", Work().lyricsFolder, L"Gamma")));

    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    EXPECT_NE(WaitForNotepadOf(listName), nullptr) << "Yes opens the list in Notepad";
    EXPECT_EQ(WindowText(Control(kIdTxtOpen)), playlist) << "the boxes keep their texts after a run";
}

// Paths pasted with Explorer's "Copy as path" quotes: the run takes what is inside, the list names
// the paths without quotes and the boxes keep the quotes.
TEST_F(MatchProgram, QuotedPathsInBothBoxesRunWithTheInsideAndStayAsTyped) {
    const std::wstring playlist = Playlist(L"Mix.m3u");
    const std::wstring quotedFolder = L"\"" + Work().lyricsFolder + L"\"";
    const std::wstring quotedPlaylist = L"\"" + playlist + L"\"";
    TypePaths(quotedFolder, quotedPlaylist);
    std::wstring listName;
    const HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    std::string written;
    ASSERT_TRUE(ReadFileBytes(InWork(listName), written));
    EXPECT_NE(written.find(AnsiBytes(L"Playlist Name = \"" + playlist + L"\" with 3 titles.")), std::string::npos);
    EXPECT_NE(written.find(AnsiBytes(L"Lyrics Folder = \"" + Work().lyricsFolder + L"\" with 3 text files.")), std::string::npos);
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_EQ(WindowText(Control(kIdTxtBrowse)), quotedFolder);
    EXPECT_EQ(WindowText(Control(kIdTxtOpen)), quotedPlaylist);
}

// Playlists that cannot be read, whatever their bytes: a box for each that names the playlist and
// says why, in the system's own words where the system gave the reason; never a hang or a list,
// and Match still answers.
TEST_F(MatchProgram, UnreadablePlaylistsAreReportedByNameWithTheSystemsOwnReasonNeverAHangOrAList) {
    const std::wstring folder = Work().playlists + L"\\";
    ASSERT_TRUE(WriteFileBytes(folder + L"Empty.m3u", ""));
    ASSERT_TRUE(WriteFileBytes(folder + L"Empty.pls", ""));
    // Another program holds this playlist open and shares it with no one.
    ASSERT_TRUE(WriteFileBytes(folder + L"Held.m3u", M3u({{60, L"Alpha"}})));
    const lyrics::UniqueFileHandle holder(
        ::CreateFileW((folder + L"Held.m3u").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    const std::wstring reason = SystemWords(ERROR_SHARING_VIOLATION);
    ASSERT_FALSE(reason.empty());
    RecordProperty("reason", ::testing::PrintToString(reason));

    const auto quoted = [&](const wchar_t* name) { return L"\"" + folder + name + L"\""; };
    const std::wstring device = L" is not a playlist file: it is a device, a pipe or a folder, so it is not read.";
    struct Case {
        const wchar_t* name;
        std::wstring message;
        bool whole;  // the whole message, else a part of it
    };
    const Case cases[] = {
        // Device names: the system takes "COM1.m3u" in any folder for the port; a read may never return.
        {L"COM1.m3u", quoted(L"COM1.m3u") + device, true},
        {L"AUX.m3u", quoted(L"AUX.m3u") + device, true},
        {L"Empty.m3u", L"The playlist " + quoted(L"Empty.m3u") + L" could not be read: it is empty.", true},
        {L"Empty.pls", L"The playlist " + quoted(L"Empty.pls") + L" could not be read: it is empty.", true},
        {L"Held.m3u", L"The playlist " + quoted(L"Held.m3u") + L" could not be opened: " + reason + L".", true},
        {L"Short.b4s", quoted(L"Short.b4s"), false},
    };
    Type(kIdTxtBrowse, Work().lyricsFolder);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.name)));
        Type(kIdTxtOpen, folder + c.name);
        const std::wstring message = FailedRunsMessage();
        if (c.whole) {
            EXPECT_EQ(message, c.message);
        } else {
            EXPECT_NE(message.find(c.message), std::wstring::npos) << ::testing::PrintToString(message);
        }
        EXPECT_EQ(message.find(L"Permission denied"), std::wstring::npos) << "not the C library's English";
        EXPECT_TRUE(SendBounded(window_, WM_NULL, 0, 0, 2s).has_value()) << "Match still answers";
    }
    EXPECT_TRUE(match_.IsRunning());
}

// Titles in other scripts: a UTF-8 .m3u8 and a UTF-16 .pls against lyrics named in Greek and
// Japanese, in a folder with a Greek name. Greek capitals match small letters as Latin ones do;
// what is left goes into a list in UTF-8 with a byte-order mark, where no name becomes "?", and
// Notepad shows it.
TEST_F(MatchProgram, UnicodePlaylistsMatchNamesInOtherScriptsAndTheListKeepsEveryName) {
    const std::wstring lyricsFolder = Work().folder + L"\\\u03a3\u03c4\u03af\u03c7\u03bf\u03b9";  // "Στίχοι"
    ::CreateDirectoryW(lyricsFolder.c_str(), nullptr);
    for (const wchar_t* name : {L"\u03a9\u0394\u0389.txt", L"\u65e5\u672c.txt", L"\u0394\u0394\u0394.txt"})
        ASSERT_TRUE(WriteFileBytes(lyricsFolder + L"\\" + name, "la la la\r\n"));
    const std::wstring m3u8 = Playlist(L"Unicode.m3u8");
    ASSERT_TRUE(WriteFileBytes(m3u8, Utf8Bytes(L"#EXTM3U\r\n#EXTINF:60,\u03c9\u03b4\u03ae\r\nC:\\Music\\1.mp3\r\n"
                                               L"#EXTINF:61,\u65e5\u672c\r\nC:\\Music\\2.mp3\r\n"
                                               L"#EXTINF:62,\u6771\u4eac\r\nC:\\Music\\3.mp3\r\n")));
    const std::wstring pls = Playlist(L"Unicode.pls");
    ASSERT_TRUE(
        WriteFileBytes(pls, "\xFF\xFE" + Utf16LeBytes(L"[playlist]\r\nFile1=1.mp3\r\nTitle1=\u03b4\u03b4\u03b4\r\nLength1=100\r\n"
                                                      L"File2=2.mp3\r\nTitle2=\u03a9\u0394\u0389\r\nLength2=20\r\n"
                                                      L"File3=3.mp3\r\nTitle3=\u30b5\u30af\u30e9\r\nLength3=3\r\n"
                                                      L"NumberOfEntries=3\r\nVersion=2\r\n")));
    // One title and one file are left each time, so the folder's own order does not matter.
    const auto expectedList = [&](const std::wstring& playlist, const wchar_t* length, const wchar_t* title,
                                  const wchar_t* file) {
        return "\xEF\xBB\xBF" + Utf8Bytes(UnmatchListText(playlist, length, title, lyricsFolder, file));
    };

    TypePaths(lyricsFolder, m3u8);
    std::wstring listName;
    HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr) << "an .m3u8 passes the check and is read";
    ASSERT_FALSE(listName.empty());
    std::string written;
    ASSERT_TRUE(ReadFileBytes(InWork(listName), written));
    EXPECT_EQ(written, expectedList(m3u8, L"0:3:3", L"\u6771\u4eac", L"\u0394\u0394\u0394"));
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    ASSERT_TRUE(::DeleteFileW(InWork(listName).c_str()));

    Type(kIdTxtOpen, pls);
    box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    ASSERT_FALSE(listName.empty());
    ASSERT_TRUE(ReadFileBytes(InWork(listName), written));
    EXPECT_EQ(written, expectedList(pls, L"0:2:3", L"\u30b5\u30af\u30e9", L"\u65e5\u672c"));

    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    const HWND notepad = WaitForNotepadOf(listName);
    ASSERT_NE(notepad, nullptr) << "Yes opens the UTF-8 list in Notepad as it opens any list";
    ASSERT_NE(EditOf(notepad), nullptr) << "Notepad's text box";
    std::wstring shown;
    EXPECT_TRUE(WaitFor([&] { return (shown = NotepadText(notepad)).find(L"\u30b5\u30af\u30e9") != std::wstring::npos; }, 5s))
        << "Notepad shows the names, not the bytes: " << ::testing::PrintToString(Utf8Bytes(shown));
    EXPECT_EQ(shown.find(L'?'), std::wstring::npos);
}

}  // namespace
}  // namespace match_e2e
