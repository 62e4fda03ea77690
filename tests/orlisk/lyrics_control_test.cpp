// Opening and closing lyrics through OrliskLogic over a fake desktop and shell.
#include <gtest/gtest.h>

#include <algorithm>

#include "orlisk/lyrics_files.h"
#include "orlisk/window_closer.h"
#include "tests/orlisk/orlisk_fixture.h"

namespace lyrics::orlisk::testing {
namespace {

const std::vector<PostedMessage> CloseRequests(WindowHandle window) {
    return {{window, Message::CancelMode}, {window, Message::Close}};
}

class LyricsControl : public OrliskTest {
protected:
    LyricsControl() : OrliskTest({L"Inbox - Mail", L"12. Artist - Song - Winamp"}) {}
};

TEST_F(LyricsControl, OpensTheSongsFileWithTheSizeChosenNow) {
    o.logic.OpenLyrics();
    EXPECT_EQ(o.logic.WinampWindow(), winamp);
    EXPECT_EQ(o.logic.LyricsCaption(), L"Artist - Song - Notepad");
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");

    o.controls.optSize = kSizeMinimized;
    o.logic.OpenLyrics();
    o.controls.optSize = kSizeMaximized;
    o.controls.txtPath = L"C:\\Lyrics";  // picked, not yet saved with OK: joined unchanged
    o.logic.OpenLyrics();
    EXPECT_EQ(o.shell.opened, (std::vector<OpenedDocument>{{7, L"C:\\Lyrics\\Artist - Song.txt", ShowCommand::Normal},
                                                           {7, L"C:\\Lyrics\\Artist - Song.txt", ShowCommand::Minimized},
                                                           {7, L"C:\\LyricsArtist - Song.txt", ShowCommand::Maximized}}));
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
        Caption(winamp, L"1. " + title + L" - Winamp");
        o.logic.OpenLyrics();
        EXPECT_TRUE(o.shell.opened.empty());
        EXPECT_EQ(o.tip.Current(), L"Could not open file: " + title);
        EXPECT_EQ(o.logic.LyricsCaption(), title + L" - Notepad");
    }
    Caption(winamp, L"1. Fine - Winamp");
    o.controls.txtPath.clear();  // no folder: the file would land in the current directory
    o.logic.OpenLyrics();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.tip.Current(), L"Could not open file: Fine");
    // What may stay: dots inside a title.
    o.controls.txtPath = L"C:\\Lyrics\\";
    Caption(winamp, L"1. ...And Justice for All - Winamp");
    o.logic.OpenLyrics();
    EXPECT_EQ(o.Opened(), Lyrics({L"...And Justice for All"}));
}

TEST_F(LyricsControl, CloseBeforeAnySongDoesNothing) {
    o.desktop.Add(L" - Notepad");
    o.logic.mnuClsWindow_Click();
    EXPECT_TRUE(o.desktop.posted.empty());
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
    Click();
    Choose(MenuCommand::CloseLyrics);
    Choose(MenuCommand::OpenLyrics);
    Tick();
    EXPECT_TRUE(o.desktop.posted.empty());
    for (const WindowHandle window : {untitled, bare, txt}) EXPECT_NE(o.desktop.Find(window), nullptr) << window;
    EXPECT_EQ(o.logic.LyricsCaption(), L"");
}

TEST_F(LyricsControl, CloseAsksEveryWindowWithEitherCaptionInAnyCase) {
    o.logic.OpenLyrics();
    const WindowHandle plain = o.desktop.Add(L"Artist - Song - Notepad");
    const WindowHandle upper = o.desktop.Add(L"ARTIST - SONG.TXT - NOTEPAD");
    const WindowHandle second = o.desktop.Add(L"artist - song - notepad");
    const WindowHandle other = o.desktop.Add(L"Other - Notepad");
    o.logic.mnuClsWindow_Click();
    for (const WindowHandle window : {plain, upper, second}) EXPECT_EQ(o.desktop.PostedTo(window), CloseRequests(window));
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
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song", L"Artist - Song"}));
}

TEST_F(LyricsControl, ASlowWindowIsAskedOnceAndWaitedFor) {
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");
    o.desktop.Find(notepad)->closesAfterLooks = 3;
    o.logic.CloseLyrics();
    EXPECT_EQ(o.desktop.PostedTo(notepad), CloseRequests(notepad));
    EXPECT_EQ(o.desktop.Find(notepad), nullptr);
    EXPECT_GE(o.desktop.pauses, 1);
    EXPECT_LE(o.desktop.pauses, 5);
}

TEST_F(LyricsControl, ANotepadThatWillNotCloseIsGivenUpOnAfterAboutASecond) {
    o.logic.OpenLyrics();
    const WindowHandle stuck = o.desktop.AddStaying(L"Artist - Song - Notepad");  // asking whether to save
    const WindowHandle behind = o.desktop.Add(L"Artist - Song - Notepad");        // FindWindow never reaches it
    const WindowHandle txt = o.desktop.Add(L"Artist - Song.txt - Notepad");
    o.logic.CloseLyrics();
    for (const WindowHandle window : {stuck, behind, txt}) EXPECT_EQ(o.desktop.PostedTo(window), CloseRequests(window));
    const auto waited = o.desktop.now - std::chrono::steady_clock::time_point{};
    EXPECT_GE(waited, kCloseGiveUpAfter);
    EXPECT_LT(waited, kCloseGiveUpAfter + std::chrono::milliseconds(100));
    EXPECT_LE(o.desktop.pauses, 60);  // paused between looks, not spinning
}

TEST_F(LyricsControl, ANotepadAskingToSaveIsAskedOnceAcrossClicksAndNeverOpenedTwice) {
    o.logic.OpenLyrics();
    const WindowHandle edited = o.desktop.AddStaying(L"Artist - Song.txt - Notepad", true);  // "Save changes?"
    const auto start = o.desktop.now;
    for (int click = 0; click < 4; ++click) {
        EXPECT_EQ(Click(), ProgramNext::KeepRunning);
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
    Caption(winamp, L"13. Other - Tune - Winamp");
    const std::size_t fronted = o.desktop.broughtToFront.size();
    Click();
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song", L"Other - Tune"}));
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Other - Tune");
    ASSERT_EQ(o.desktop.broughtToFront.size(), fronted + 1);
    EXPECT_EQ(o.desktop.broughtToFront.back(), edited) << "its save question comes before the new lyrics";
    // Back to the edited song: still no second copy, and no second question.
    Caption(winamp, L"14. Artist - Song - Winamp");
    Click();
    EXPECT_EQ(o.shell.opened.size(), 2u);
    EXPECT_EQ(o.desktop.PostedTo(edited), CloseRequests(edited));

    // Once the user has answered and the window has gone, a click opens the lyrics again.
    o.desktop.Remove(edited);
    Click();
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song", L"Other - Tune", L"Artist - Song"}));
}

TEST_F(LyricsControl, AWindowThatRefusedIsNotAskedAgainWhenANewOneWithTheCaptionOpens) {
    o.logic.OpenLyrics();
    const WindowHandle edited = o.desktop.AddStaying(L"Artist - Song - Notepad", true);
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
    Caption(winamp, L"1. " + huge + L" - Winamp");
    o.logic.OpenLyrics();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.tip.Current(), L"Could not open file: " + huge);
    EXPECT_EQ(o.logic.LyricsCaption(), huge + L" - Notepad");

    // A name that fits, in a folder deep enough to make the path too long.
    const std::wstring title(200, L'y');
    o.controls.txtPath = L"C:\\" + std::wstring(60, L'f') + L"\\";
    Caption(winamp, L"2. " + title + L" - Winamp");
    Click();
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.tip.Current(), L"Could not open file: " + title);

    // The tick tries such a song once, not on every tick.
    o.controls.chkAuto = CheckState::Checked;
    Caption(winamp, L"3. " + huge + L" - Winamp");
    Tick(2);
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
        EXPECT_EQ(Click(), ProgramNext::KeepRunning);
        o.logic.mnuOpen_Click();
        o.logic.mnuClsWindow_Click();
        Tick();
        o.logic.OpenLyrics();
    };
    o.logic.mnuOpen_Click();
    EXPECT_EQ(pumps, 2);
    EXPECT_EQ(o.desktop.walksStarted, 2);
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song", L"New - Song"}));
    EXPECT_TRUE(o.desktop.PostedTo(notepad).empty());
    EXPECT_FALSE(o.logic.WalkInProgress());
}

TEST_F(LyricsControl, EventsHandledWhileTheShellWaitsAreDropped) {
    // A burst of clicks: each one handled inside the open before would start one more Notepad.
    int opens = 0;
    o.shell.onOpen = [&] {
        if (++opens > 1) return;
        EXPECT_TRUE(o.logic.WalkInProgress());
        EXPECT_EQ(Click(), ProgramNext::KeepRunning);
        o.logic.mnuOpen_Click();
        Tick();
        o.logic.mnuSettings_Click();
        // The program may end meanwhile; the window stays until the open has returned.
        EXPECT_EQ(o.logic.mnuExit_Click(), ProgramNext::End);
        EXPECT_TRUE(o.logic.WalkInProgress());
    };
    Click();
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

// Lyrics whose Notepad stays (the user cancelled "save changes?", or it is slow to go) and closes
// that must end whatever the desktop does.
class KeptOpen : public OrliskTest {
protected:
    KeptOpen() : OrliskTest({L"12. Artist - Song - Winamp"}) { o.logic.OpenLyrics(); }
    WindowHandle AddStayingNotepad(bool asksToSave) { return o.desktop.AddStaying(L"Artist - Song.txt - Notepad", asksToSave); }
    std::size_t Closes(WindowHandle window) const {
        return static_cast<std::size_t>(
            std::count(o.desktop.posted.begin(), o.desktop.posted.end(), PostedMessage{window, Message::Close}));
    }
    bool AnyTipSince(std::size_t from, std::wstring_view prefix) const {
        return std::any_of(o.tip.tips.begin() + static_cast<std::ptrdiff_t>(from), o.tip.tips.end(),
                           [&](const std::wstring& tip) { return tip.starts_with(prefix); });
    }
};

TEST_F(KeptOpen, ACancelledCloseShowsTheLyricsStillOpenAndAUserRequestAsksAgain) {
    const WindowHandle kept = AddStayingNotepad(false);  // "Cancel" answered: the window is enabled again
    const std::size_t tipsBefore = o.tip.tips.size();
    Click();
    EXPECT_EQ(o.shell.opened.size(), 1u) << "no copy beside it";
    EXPECT_EQ(o.desktop.broughtToFront, std::vector<WindowHandle>{kept});
    EXPECT_EQ(o.tip.Current(), L"Lyrics still open: Artist - Song");
    EXPECT_FALSE(AnyTipSince(tipsBefore, kLastOpened)) << "nothing was opened";

    // Each request of the user's asks it again, one question at a time.
    Click();
    EXPECT_EQ(Closes(kept), 2u);
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(Closes(kept), 3u);
    EXPECT_EQ(o.desktop.broughtToFront.size(), 3u);
    EXPECT_EQ(o.tip.Current(), L"Lyrics still open: Artist - Song");
    // The tick is no request of the user's: another song leaves the kept window alone.
    o.controls.chkAuto = CheckState::Checked;
    TickShowing(winamp, L"13. Other - Tune - Winamp");
    EXPECT_EQ(Closes(kept), 3u);
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Other - Tune");

    // Once the user lets it go, the lyrics open again.
    Caption(winamp, L"14. Artist - Song - Winamp");
    o.desktop.Remove(kept);
    Click();
    EXPECT_EQ(o.shell.opened.back().document, L"C:\\Lyrics\\Artist - Song.txt");
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");
}

TEST_F(KeptOpen, ANotepadAskingWhetherToSaveIsBroughtForwardNeverAskedTwice) {
    const WindowHandle asking = AddStayingNotepad(true);
    for (int click = 0; click < 3; ++click) Click();
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(Closes(asking), 1u) << "no second question stacked on the first";
    EXPECT_EQ(o.desktop.broughtToFront.size(), 4u);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.tip.Current(), L"Lyrics still open: Artist - Song");
}

// A program that puts up another window under the caption, one that ignores WM_CLOSE, each time
// Orlisk handles its messages.
TEST_F(KeptOpen, AStreamOfWindowsCannotHoldTheCloseUpAndEventsMeanwhileAreDropped) {
    AddStayingNotepad(false);
    int pumps = 0;
    o.desktop.onPump = [&] {
        ++pumps;
        EXPECT_TRUE(o.logic.WalkInProgress());
        o.desktop.windows.insert(o.desktop.windows.begin(), {o.desktop.nextHandle++, L"Artist - Song - Notepad", false, -1});
        Click();
        o.logic.mnuClsWindow_Click();
        Tick();
    };
    for (int click = 0; click < 5; ++click) {
        const auto start = o.desktop.now;
        const std::size_t postedBefore = o.desktop.posted.size();
        Click();
        EXPECT_LE(o.desktop.now - start, kCloseGiveUpAfter + kClosePollPause) << "click " << click;
        EXPECT_LE(o.desktop.posted.size() - postedBefore, 2u * kCloseMaxAsks) << "click " << click;
    }
    EXPECT_GT(pumps, 0) << "messages are handled while the close waits";
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.tip.Current(), L"Lyrics still open: Artist - Song");
}

TEST_F(KeptOpen, ExitDuringTheCloseEndsItAndOpensNothing) {
    AddStayingNotepad(false);
    o.desktop.onPump = [&] { EXPECT_EQ(o.logic.mnuExit_Click(), ProgramNext::End); };
    Click();
    EXPECT_LE(o.desktop.pauses, 1);
    EXPECT_EQ(o.desktop.walksStarted, 1);
    EXPECT_TRUE(o.logic.EndRequested());
    EXPECT_FALSE(o.logic.WalkInProgress());
}

}  // namespace
}  // namespace lyrics::orlisk::testing
