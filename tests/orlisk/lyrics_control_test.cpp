// Opening and closing lyrics through OrliskLogic over a fake desktop and shell.
#include <gtest/gtest.h>

#include "orlisk/window_closer.h"
#include "tests/orlisk/fake_ports.h"

namespace lyrics::orlisk {
namespace {

using testing::FakeOrlisk;
using testing::Message;
using testing::OpenedDocument;
using testing::PostedMessage;

const std::vector<PostedMessage> CloseRequests(WindowHandle window) {
    return {{window, Message::CancelMode}, {window, Message::Close}};
}

class LyricsControl : public ::testing::Test {
protected:
    LyricsControl() {
        o.controls.txtPath = L"C:\\Lyrics\\";
        o.desktop.Add(L"Inbox - Mail");
        winamp = o.desktop.Add(L"12. Artist - Song - Winamp");
    }
    FakeOrlisk o;
    WindowHandle winamp = kNoWindow;
};

TEST_F(LyricsControl, OpensTheSongsFileWithTheSizeChosenNow) {
    o.logic.OpenLyrics();
    EXPECT_EQ(o.shell.opened, (std::vector<OpenedDocument>{{7, L"C:\\Lyrics\\Artist - Song.txt", ShowCommand::Normal}}));
    EXPECT_EQ(o.logic.WinampWindow(), winamp);
    EXPECT_EQ(o.logic.LyricsCaption(), L"Artist - Song - Notepad");
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");

    o.controls.optSize = kSizeMinimized;
    o.logic.OpenLyrics();
    o.controls.optSize = kSizeMaximized;
    o.controls.txtPath = L"C:\\Lyrics";  // picked, not yet saved with OK: joined unchanged
    o.logic.OpenLyrics();
    ASSERT_EQ(o.shell.opened.size(), 3u);
    EXPECT_EQ(o.shell.opened[1].showCommand, ShowCommand::Minimized);
    EXPECT_EQ(o.shell.opened[2], (OpenedDocument{7, L"C:\\LyricsArtist - Song.txt", ShowCommand::Maximized}));
}

TEST_F(LyricsControl, AFailedOpenStillRemembersTheSong) {
    o.shell.opens = false;  // file not found
    o.logic.OpenLyrics();
    EXPECT_EQ(o.tip.Current(), L"Could not open file: Artist - Song");
    EXPECT_EQ(o.logic.LyricsCaption(), L"Artist - Song - Notepad");
    o.logic.OpenLyrics();
    EXPECT_EQ(o.tip.Current(), L"Could not open file: Artist - Song");
    o.shell.opens = true;
    o.logic.OpenLyrics();
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");
}

TEST_F(LyricsControl, WithoutWinampNothingIsOpenedAndTheLastSongIsKept) {
    o.logic.OpenLyrics();
    o.desktop.Remove(winamp);
    o.logic.OpenLyrics();
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.logic.WinampWindow(), winamp);
    EXPECT_EQ(o.logic.LyricsCaption(), L"Artist - Song - Notepad");
    EXPECT_EQ(o.tip.Current(), L"Winamp may not be open");
}

TEST_F(LyricsControl, TitlesThatWouldLeaveTheFolderAreNeverHandedToTheShell) {
    for (const std::wstring title : {L"AC/DC - Back in Black", L"..\\..\\Windows\\win", L"C:evil", L".", L".."}) {
        SCOPED_TRACE(std::string(title.begin(), title.end()));
        o.desktop.windows[1].caption = L"1. " + title + L" - Winamp";
        o.logic.OpenLyrics();
        EXPECT_TRUE(o.shell.opened.empty());
        EXPECT_EQ(o.tip.Current(), L"Could not open file: " + title);
        EXPECT_EQ(o.logic.LyricsCaption(), title + L" - Notepad");
    }
    o.desktop.windows[1].caption = L"1. Fine - Winamp";
    o.controls.txtPath.clear();  // no folder: the file would land in the current directory
    o.logic.OpenLyrics();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.tip.Current(), L"Could not open file: Fine");
    // What may stay: dots inside a title.
    o.controls.txtPath = L"C:\\Lyrics\\";
    o.desktop.windows[1].caption = L"1. ...And Justice for All - Winamp";
    o.logic.OpenLyrics();
    ASSERT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.shell.opened[0].document, L"C:\\Lyrics\\...And Justice for All.txt");
}

TEST_F(LyricsControl, CloseBeforeAnySongDoesNothing) {
    const WindowHandle notepad = o.desktop.Add(L" - Notepad");
    o.logic.mnuClsWindow_Click();
    EXPECT_TRUE(o.desktop.posted.empty());
    (void)notepad;
}

TEST_F(LyricsControl, BeforeAnySongNothingIsAskedToCloseWhateverItsCaption) {
    // What a close without a title would look for: FindWindow's empty caption, which any window
    // without a caption answers, and either suffix alone.
    const WindowHandle untitled = o.desktop.Add(L"");
    const WindowHandle bare = o.desktop.Add(L" - Notepad");
    const WindowHandle txt = o.desktop.Add(L".txt - Notepad");
    o.desktop.Remove(winamp);  // no song to be found: every close below runs before the first song
    o.controls.chkAuto = CheckState::Checked;

    o.logic.CloseLyrics();
    o.logic.mnuClsWindow_Click();
    o.logic.mnuOpen_Click();
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    for (MenuCommand command : {MenuCommand::CloseLyrics, MenuCommand::OpenLyrics}) {
        o.menu.choice = command;
        o.logic.cSysTray_MouseEvent(kTrayButtonSecond);
    }
    o.logic.tmrAuto_Timer();
    EXPECT_TRUE(o.desktop.posted.empty());
    EXPECT_NE(o.desktop.Find(untitled), nullptr);
    EXPECT_NE(o.desktop.Find(bare), nullptr);
    EXPECT_NE(o.desktop.Find(txt), nullptr);
    EXPECT_EQ(o.logic.LyricsCaption(), L"");
}

TEST_F(LyricsControl, CloseAsksEveryWindowWithEitherCaptionInAnyCase) {
    o.logic.OpenLyrics();
    const WindowHandle plain = o.desktop.Add(L"Artist - Song - Notepad");
    const WindowHandle upper = o.desktop.Add(L"ARTIST - SONG.TXT - NOTEPAD");
    const WindowHandle second = o.desktop.Add(L"artist - song - notepad");
    const WindowHandle other = o.desktop.Add(L"Other - Notepad");
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(o.desktop.PostedTo(plain), CloseRequests(plain));
    EXPECT_EQ(o.desktop.PostedTo(upper), CloseRequests(upper));
    EXPECT_EQ(o.desktop.PostedTo(second), CloseRequests(second));
    EXPECT_TRUE(o.desktop.PostedTo(other).empty());
    EXPECT_EQ(o.desktop.posted.size(), 6u);
    // lyricsCaption is kept: a second close looks again and finds nothing.
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(o.desktop.posted.size(), 6u);
}

TEST_F(LyricsControl, OpenLyricsFromTheMenuClosesThenReopensEvenTheSameSong) {
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song.txt - Notepad");
    o.logic.mnuOpen_Click();
    EXPECT_EQ(o.desktop.PostedTo(notepad), CloseRequests(notepad));
    ASSERT_EQ(o.shell.opened.size(), 2u);
    EXPECT_EQ(o.shell.opened[1].document, L"C:\\Lyrics\\Artist - Song.txt");
}

TEST_F(LyricsControl, ASlowWindowIsAskedOnceAndWaitedFor) {
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");
    o.desktop.windows.back().closesAfterLooks = 3;
    o.logic.CloseLyrics();
    EXPECT_EQ(o.desktop.PostedTo(notepad), CloseRequests(notepad));
    EXPECT_EQ(o.desktop.Find(notepad), nullptr);
    EXPECT_GE(o.desktop.pauses, 1);
    EXPECT_LE(o.desktop.pauses, 5);
}

TEST_F(LyricsControl, ANotepadThatWillNotCloseIsGivenUpOnAfterAboutASecond) {
    o.logic.OpenLyrics();
    const WindowHandle stuck = o.desktop.Add(L"Artist - Song - Notepad");
    o.desktop.windows.back().closesAfterLooks = -1;  // asking whether to save
    const WindowHandle behind = o.desktop.Add(L"Artist - Song - Notepad");
    const WindowHandle txt = o.desktop.Add(L"Artist - Song.txt - Notepad");
    o.logic.CloseLyrics();
    EXPECT_EQ(o.desktop.PostedTo(stuck), CloseRequests(stuck));
    EXPECT_EQ(o.desktop.PostedTo(behind), CloseRequests(behind));  // FindWindow never reaches it
    EXPECT_EQ(o.desktop.PostedTo(txt), CloseRequests(txt));
    const auto waited = o.desktop.now - std::chrono::steady_clock::time_point{};
    EXPECT_GE(waited, kCloseGiveUpAfter);
    EXPECT_LT(waited, kCloseGiveUpAfter + std::chrono::milliseconds(100));
    EXPECT_LE(o.desktop.pauses, 60);  // paused between looks, not spinning
}

TEST_F(LyricsControl, ANotepadAskingToSaveIsAskedOnceAcrossClicksAndNeverOpenedTwice) {
    o.logic.OpenLyrics();
    const WindowHandle edited = o.desktop.Add(L"Artist - Song.txt - Notepad");
    o.desktop.windows.back().closesAfterLooks = -1;  // the lyrics were edited: "Save changes?"
    o.desktop.windows.back().asksToSave = true;
    const auto start = o.desktop.now;
    for (int click = 0; click < 4; ++click) {
        EXPECT_EQ(o.logic.cSysTray_MouseEvent(kTrayButtonFirst), ProgramNext::KeepRunning);
    }
    o.logic.mnuOpen_Click();
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(o.desktop.PostedTo(edited), CloseRequests(edited)) << "one question, not one per click";
    EXPECT_EQ(o.shell.opened.size(), 1u) << "no copy read from disk beside the edited one";
    EXPECT_EQ(o.tip.Current(), L"Lyrics still open: Artist - Song");
    // Only the first click waited for the window to go.
    EXPECT_GE(o.desktop.now - start, kCloseGiveUpAfter);
    EXPECT_LT(o.desktop.now - start, kCloseGiveUpAfter + std::chrono::milliseconds(100));

    // Another song opens as usual, and the edited window is left alone.
    o.desktop.windows[1].caption = L"13. Other - Tune - Winamp";
    const std::size_t fronted = o.desktop.broughtToFront.size();
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    ASSERT_EQ(o.shell.opened.size(), 2u);
    EXPECT_EQ(o.shell.opened[1].document, L"C:\\Lyrics\\Other - Tune.txt");
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Other - Tune");
    ASSERT_EQ(o.desktop.broughtToFront.size(), fronted + 1);
    EXPECT_EQ(o.desktop.broughtToFront.back(), edited) << "its save question comes before the new lyrics";
    // Back to the edited song: still no second copy, and no second question.
    o.desktop.windows[1].caption = L"14. Artist - Song - Winamp";
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    EXPECT_EQ(o.shell.opened.size(), 2u);
    EXPECT_EQ(o.desktop.PostedTo(edited), CloseRequests(edited));

    // Once the user has answered and the window has gone, a click opens the lyrics again.
    o.desktop.Remove(edited);
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    ASSERT_EQ(o.shell.opened.size(), 3u);
    EXPECT_EQ(o.shell.opened[2].document, L"C:\\Lyrics\\Artist - Song.txt");
}

TEST_F(LyricsControl, AWindowThatRefusedIsNotAskedAgainWhenANewOneWithTheCaptionOpens) {
    o.logic.OpenLyrics();
    const WindowHandle edited = o.desktop.Add(L"Artist - Song - Notepad");
    o.desktop.windows.back().closesAfterLooks = -1;
    o.desktop.windows.back().asksToSave = true;
    o.logic.CloseLyrics();
    // Opened by the user meanwhile, behind the refusing one: asked once, and it goes.
    const WindowHandle later = o.desktop.Add(L"Artist - Song - Notepad");
    o.logic.CloseLyrics();
    EXPECT_EQ(o.desktop.PostedTo(edited), CloseRequests(edited));
    EXPECT_EQ(o.desktop.PostedTo(later), CloseRequests(later));
    o.logic.CloseLyrics();
    EXPECT_EQ(o.desktop.PostedTo(later), CloseRequests(later));
}

TEST_F(LyricsControl, ATitleOrPathTooLongIsNeverHandedToTheShell) {
    // Any program can caption a window so; the shell would overrun its buffers with the path.
    const std::wstring huge(2000, L'x');
    o.desktop.windows[1].caption = L"1. " + huge + L" - Winamp";
    o.logic.OpenLyrics();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.tip.Current(), L"Could not open file: " + huge);
    EXPECT_EQ(o.logic.LyricsCaption(), huge + L" - Notepad");

    // A name that fits, in a folder deep enough to make the path too long.
    const std::wstring title(200, L'y');
    o.controls.txtPath = L"C:\\" + std::wstring(60, L'f') + L"\\";
    o.desktop.windows[1].caption = L"2. " + title + L" - Winamp";
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.tip.Current(), L"Could not open file: " + title);

    // The tick tries such a song once, not on every tick.
    o.controls.chkAuto = CheckState::Checked;
    o.desktop.windows[1].caption = L"3. " + huge + L" - Winamp";
    o.logic.tmrAuto_Timer();
    o.logic.tmrAuto_Timer();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.desktop.walksStarted, 3);
    EXPECT_EQ(o.tip.Current(), L"Could not open file: " + huge);
}

TEST_F(LyricsControl, AClickOrTickDuringAWalkIsDropped) {
    o.logic.OpenLyrics();
    o.desktop.Add(L"Below");
    std::swap(o.desktop.windows[1], o.desktop.windows[2]);      // Winamp last: the walk yields twice
    o.desktop.windows[2].caption = L"13. New - Song - Winamp";  // a tick would see the change
    int pumps = 0;
    WindowHandle notepad = kNoWindow;  // opened meanwhile; only a later close may touch it
    o.desktop.onPump = [&] {
        if (++pumps == 1) notepad = o.desktop.Add(L"Artist - Song - Notepad");
        EXPECT_TRUE(o.logic.WalkInProgress());
        EXPECT_EQ(o.logic.cSysTray_MouseEvent(kTrayButtonFirst), ProgramNext::KeepRunning);
        o.logic.mnuOpen_Click();
        o.logic.mnuClsWindow_Click();
        o.logic.tmrAuto_Timer();
        o.logic.OpenLyrics();
    };
    o.logic.mnuOpen_Click();
    EXPECT_EQ(pumps, 2);
    EXPECT_EQ(o.desktop.walksStarted, 2);
    ASSERT_EQ(o.shell.opened.size(), 2u);
    EXPECT_EQ(o.shell.opened[1].document, L"C:\\Lyrics\\New - Song.txt");
    EXPECT_TRUE(o.desktop.PostedTo(notepad).empty());
    EXPECT_FALSE(o.logic.WalkInProgress());
}

TEST_F(LyricsControl, EventsHandledWhileTheShellWaitsAreDropped) {
    // A burst of clicks: each one handled inside the open before would start one more Notepad.
    int opens = 0;
    o.shell.onOpen = [&] {
        if (++opens > 1) return;
        EXPECT_TRUE(o.logic.WalkInProgress());
        EXPECT_EQ(o.logic.cSysTray_MouseEvent(kTrayButtonFirst), ProgramNext::KeepRunning);
        o.logic.mnuOpen_Click();
        o.logic.tmrAuto_Timer();
        o.logic.mnuSettings_Click();
        // The program may end meanwhile; the window stays until the open has returned.
        EXPECT_EQ(o.logic.mnuExit_Click(), ProgramNext::End);
        EXPECT_TRUE(o.logic.WalkInProgress());
    };
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.desktop.walksStarted, 1);
    EXPECT_TRUE(o.controls.shown);
    EXPECT_TRUE(o.logic.EndRequested());
    EXPECT_FALSE(o.logic.WalkInProgress());
}

TEST_F(LyricsControl, ExitDuringAWalkEndsTheWalk) {
    o.desktop.onPump = [&] { EXPECT_EQ(o.logic.mnuExit_Click(), ProgramNext::End); };
    o.logic.OpenLyrics();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.logic.WinampWindow(), kNoWindow);
}

}  // namespace
}  // namespace lyrics::orlisk
