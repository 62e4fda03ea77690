// Lyrics whose Notepad stays (the user cancelled "save changes?", or it is slow to go) and closes
// that must end whatever the desktop does: OrliskLogic over the fake desktop.
#include <gtest/gtest.h>

#include <algorithm>

#include "orlisk/lyrics_files.h"
#include "orlisk/window_closer.h"
#include "tests/orlisk/fake_ports.h"

namespace lyrics::orlisk {
namespace {

using testing::FakeOrlisk;
using testing::Message;

class KeptOpen : public ::testing::Test {
protected:
    KeptOpen() {
        o.controls.txtPath = L"C:\\Lyrics\\";
        winamp = o.desktop.Add(L"12. Artist - Song - Winamp");
        o.logic.OpenLyrics();
    }
    // A Notepad of the song's lyrics that stays when asked to close.
    WindowHandle AddStayingNotepad(bool asksToSave) {
        const WindowHandle notepad = o.desktop.Add(L"Artist - Song.txt - Notepad");
        o.desktop.windows.back().closesAfterLooks = -1;
        o.desktop.windows.back().asksToSave = asksToSave;
        return notepad;
    }
    std::size_t CloseRequests(WindowHandle window) const {
        const auto posted = o.desktop.PostedTo(window);
        return static_cast<std::size_t>(
            std::count_if(posted.begin(), posted.end(), [](const auto& p) { return p.message == Message::Close; }));
    }
    bool AnyTipSince(std::size_t from, std::wstring_view prefix) const {
        return std::any_of(o.tip.tips.begin() + static_cast<std::ptrdiff_t>(from), o.tip.tips.end(),
                           [&](const std::wstring& tip) { return tip.starts_with(prefix); });
    }
    FakeOrlisk o;
    WindowHandle winamp = kNoWindow;
};

TEST_F(KeptOpen, ACancelledCloseShowsTheLyricsStillOpenAndAUserRequestAsksAgain) {
    const WindowHandle kept = AddStayingNotepad(false);  // "Cancel" answered: the window is enabled again
    const std::size_t tipsBefore = o.tip.tips.size();
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    EXPECT_EQ(o.shell.opened.size(), 1u) << "no copy beside it";
    EXPECT_EQ(o.desktop.broughtToFront, std::vector<WindowHandle>{kept});
    EXPECT_EQ(o.tip.Current(), L"Lyrics still open: Artist - Song");
    EXPECT_FALSE(AnyTipSince(tipsBefore, kLastOpened)) << "nothing was opened";

    // Each request of the user's asks it again, one question at a time.
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    EXPECT_EQ(CloseRequests(kept), 2u);
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(CloseRequests(kept), 3u);
    EXPECT_EQ(o.desktop.broughtToFront.size(), 3u);
    EXPECT_EQ(o.tip.Current(), L"Lyrics still open: Artist - Song");
    // The tick is no request of the user's: another song leaves the kept window alone.
    o.controls.chkAuto = CheckState::Checked;
    o.desktop.Find(winamp)->caption = L"13. Other - Tune - Winamp";
    o.logic.tmrAuto_Timer();
    EXPECT_EQ(CloseRequests(kept), 3u);
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Other - Tune");

    // Once the user lets it go, the lyrics open again.
    o.desktop.Find(winamp)->caption = L"14. Artist - Song - Winamp";
    o.desktop.Remove(kept);
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    EXPECT_EQ(o.shell.opened.back().document, L"C:\\Lyrics\\Artist - Song.txt");
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");
}

TEST_F(KeptOpen, ANotepadAskingWhetherToSaveIsBroughtForwardNeverAskedTwice) {
    const WindowHandle asking = AddStayingNotepad(true);
    for (int click = 0; click < 3; ++click) o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    o.logic.mnuClsWindow_Click();
    EXPECT_EQ(CloseRequests(asking), 1u) << "no second question stacked on the first";
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
        o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
        o.logic.mnuClsWindow_Click();
        o.logic.tmrAuto_Timer();
    };
    for (int click = 0; click < 5; ++click) {
        const auto start = o.desktop.now;
        const std::size_t postedBefore = o.desktop.posted.size();
        o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
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
    o.logic.cSysTray_MouseEvent(kTrayButtonFirst);
    EXPECT_LE(o.desktop.pauses, 1);
    EXPECT_EQ(o.desktop.walksStarted, 1);
    EXPECT_TRUE(o.logic.EndRequested());
    EXPECT_FALSE(o.logic.WalkInProgress());
}

}  // namespace
}  // namespace lyrics::orlisk
