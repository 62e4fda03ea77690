// Match.exe's input check and its keys as a user meets them: the box that names the first wrong
// box and focuses it, Enter and Esc, the wrong path selected for typing over, and presses of
// Match while a run is under way.
#include "tests/e2e/match_fixture.h"

namespace match_e2e {
namespace {

TEST_F(MatchProgram, InputCheckNamesTheFirstWrongBoxAndFocusesIt) {
    const std::wstring playlist = Playlist(L"Mix.m3u");
    const std::wstring missing = Work().folder + L"\\No Such Thing";
    const std::wstring lyrics = Work().lyricsFolder;
    const std::wstring folderMessage = L"Invalid Lyrics folder.";
    const std::wstring playlistMessage = L"Invalid Playlist File.";
    struct Case {
        std::wstring folder, playlist, message;
        int wrongBox;
    };
    const Case cases[] = {
        {missing, missing + L".m3u", folderMessage, kIdTxtBrowse},  // both wrong: only the folder is reported
        {L"", playlist, folderMessage, kIdTxtBrowse},
        {L"   ", playlist, folderMessage, kIdTxtBrowse},
        {lyrics, Playlist(L"Missing.m3u"), playlistMessage, kIdTxtOpen},
        {lyrics, Playlist(L"Missing.m3u8"), playlistMessage, kIdTxtOpen},
        {lyrics, Playlist(L"Mix.txt"), playlistMessage, kIdTxtOpen},
        {lyrics, L"", playlistMessage, kIdTxtOpen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.folder + L" | " + c.playlist));
        TypePaths(c.folder, c.playlist);
        ExpectInputCheck(c.message, c.wrongBox);
    }
    // The check reads the boxes and leaves them as typed.
    EXPECT_EQ(WindowText(Control(kIdTxtBrowse)), Work().lyricsFolder);
    EXPECT_EQ(WindowText(Control(kIdTxtOpen)), L"");
    EXPECT_TRUE(FilesMatching(Work().folder, kListPattern).empty()) << "no run after a failed check";
}

TEST_F(MatchProgram, EnterInEitherBoxPressesMatchAndEscDoesNothing) {
    ClickAt(Control(kIdTxtOpen), 5, 5);
    ASSERT_TRUE(FocusReaches(kIdTxtOpen));
    PressKey(Control(kIdTxtOpen), VK_ESCAPE);
    EXPECT_TRUE(NoBoxFor(500ms)) << "Esc has no button to press";
    EXPECT_TRUE(match_.IsRunning());

    PressKey(Control(kIdTxtOpen), VK_RETURN);
    ExpectInvalidBox(L"Invalid Lyrics folder.", kIdTxtBrowse);

    Type(kIdTxtBrowse, Work().lyricsFolder);
    PressKey(Control(kIdTxtBrowse), VK_RETURN);
    ExpectInvalidBox(L"Invalid Playlist File.", kIdTxtOpen);
}

TEST_F(MatchProgram, AfterAnInvalidBoxTheWrongPathIsSelectedSoTypingReplacesIt) {
    const auto wholeTextSelected = [&](int id) {
        return WaitFor(
            [&] {
                const auto selection = static_cast<DWORD>(::SendMessageW(Control(id), EM_GETSEL, 0, 0));
                const auto length = static_cast<WORD>(WindowText(Control(id)).size());
                return length > 0 && LOWORD(selection) == 0 && HIWORD(selection) == length;
            },
            5s);
    };
    struct Case {
        std::wstring folder, playlist, message;
        int wrongBox;
        wchar_t typed;
    };
    const Case cases[] = {
        {Work().folder + L"\\No Such Thing", Playlist(L"Mix.m3u"), L"Invalid Lyrics folder.", kIdTxtBrowse, L'X'},
        {Work().lyricsFolder, Playlist(L"Mix.txt"), L"Invalid Playlist File.", kIdTxtOpen, L'Y'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.message));
        TypePaths(c.folder, c.playlist);
        ExpectInputCheck(c.message, c.wrongBox);
        EXPECT_TRUE(wholeTextSelected(c.wrongBox));
        TypeChar(Control(c.wrongBox), c.typed);
        EXPECT_TRUE(WaitFor([&] { return WindowText(Control(c.wrongBox)) == std::wstring(1, c.typed); }, 5s))
            << ::testing::PrintToString(WindowText(Control(c.wrongBox)));
    }
}

TEST_F(MatchProgram, PressesOfMatchWhileItRunsDoNothing) {
    TypePaths(Work().lyricsFolder, Playlist(L"Mix.m3u"));
    const HWND match = Control(kIdCmdMatch);
    const auto expectOneRun = [&](const char* how) {
        SCOPED_TRACE(how);
        const HWND box = WaitForBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ReadMessageBox(box).caption, L"Unmatch List");
        ASSERT_TRUE(AnswerMessageBox(box, IDNO));
        EXPECT_TRUE(NoBoxFor(1500ms)) << "one offer for one run";
        EXPECT_EQ(FilesMatching(Work().folder, kListPattern).size(), 1u) << "one list";
        DeleteFilesMatching(Work().folder, kListPattern);
    };

    // Two quick clicks: the second reaches the button while the first run shows its offer.
    Click(match);
    Click(match);
    expectOneRun("two clicks");

    // A double click as the mouse makes it, then a Space typed ahead on the button.
    ClickAt(match, 5, 5);
    ::PostMessageW(match, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(match, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PressKey(match, VK_SPACE);
    expectOneRun("a double click and a Space");

    // The same for the input check: one box for a double click on Match.
    Type(kIdTxtOpen, Playlist(L"Missing.m3u"));
    Click(match);
    Click(match);
    ExpectInvalidBox(L"Invalid Playlist File.", kIdTxtOpen);
    EXPECT_TRUE(match_.IsRunning());
}

TEST_F(MatchProgram, CloseRequestsDuringARunWaitForItsEnd) {
    TypePaths(Work().lyricsFolder, Playlist(L"Mix.m3u"));
    std::wstring listName;
    const HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    // The close box and Alt+F4, while the offer names the list.
    ::PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(match_.WaitForExit(1500ms)) << "Match ended inside the offer";
    EXPECT_TRUE(::IsWindow(box)) << "the offer stays until it is answered";
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_FALSE(match_.WaitForExit(1s)) << "a close during the run is dropped, not kept for later";
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(match_.WaitForExit(10s)) << "once idle, a close ends Match";
}

}  // namespace
}  // namespace match_e2e
