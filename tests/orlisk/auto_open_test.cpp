// The song-change tick: its cheap test, and what it does over a fake desktop.
#include "orlisk/song_change.h"

#include <gtest/gtest.h>

#include "tests/orlisk/fake_ports.h"

namespace lyrics::orlisk {
namespace {

TEST(SongChange, ChangedWhenTheCaptionNoLongerHoldsTheLastTitle) {
    // Main form: changed when the last title is gone.
    EXPECT_FALSE(SongHasChanged(L"12. Artist - Song - Winamp", L"Artist - Song"));
    EXPECT_TRUE(SongHasChanged(L"13. Artist - Other - Winamp", L"Artist - Song"));
    // The old title inside the new one hides the change.
    EXPECT_FALSE(SongHasChanged(L"13. Artist - Song (Remix) - Winamp", L"Artist - Song"));
    // Status form: only a caption with a ":" can show a change.
    EXPECT_FALSE(SongHasChanged(L"13. Artist - Other (playing)", L"Artist - Song"));
    EXPECT_TRUE(SongHasChanged(L"13. Artist - Other (0:12)", L"Artist - Song"));
    EXPECT_FALSE(SongHasChanged(L"12. Artist - Song (0:12)", L"Artist - Song"));
    // "Winamp" at position 1 or 2 does not count as the main form.
    EXPECT_FALSE(SongHasChanged(L"Winamp 5.9", L"Artist - Song"));
    EXPECT_FALSE(SongHasChanged(L"xWinamp", L"Artist - Song"));
    EXPECT_TRUE(SongHasChanged(L"xxWinamp", L"Artist - Song"));
    EXPECT_TRUE(SongHasChanged(L"Winamp: 5.9", L"Artist - Song"));
    // Searches are case-sensitive.
    EXPECT_TRUE(SongHasChanged(L"12. ARTIST - SONG - Winamp", L"Artist - Song"));
    EXPECT_FALSE(SongHasChanged(L"12. x - WINAMP", L"Artist - Song"));
    // A closed Winamp reads empty: never a change.
    EXPECT_FALSE(SongHasChanged(L"", L"Artist - Song"));
}

class AutoOpen : public ::testing::Test {
protected:
    AutoOpen() {
        o.controls.txtPath = L"C:\\Lyrics\\";
        winamp = o.desktop.Add(L"12. Artist - Song - Winamp");
    }
    testing::FakeOrlisk o;
    WindowHandle winamp = kNoWindow;
};

TEST_F(AutoOpen, NoTickActsBeforeASongHasBeenFound) {
    o.logic.tmrAuto_Timer();
    EXPECT_TRUE(o.desktop.log.empty());
    EXPECT_TRUE(o.shell.opened.empty());
}

TEST_F(AutoOpen, ASongChangeClosesTheOldLyricsAndOpensTheNew) {
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");
    o.logic.tmrAuto_Timer();
    EXPECT_EQ(o.shell.opened.size(), 1u);

    o.desktop.Find(winamp)->caption = L"13. Artist - Next - Winamp";
    o.logic.tmrAuto_Timer();
    EXPECT_EQ(o.desktop.PostedTo(notepad).size(), 2u);
    ASSERT_EQ(o.shell.opened.size(), 2u);
    EXPECT_EQ(o.shell.opened[1].document, L"C:\\Lyrics\\Artist - Next.txt");
    EXPECT_EQ(o.logic.LyricsCaption(), L"Artist - Next - Notepad");
}

TEST_F(AutoOpen, ASongWithoutLyricsIsTriedOnce) {
    o.shell.opens = false;
    o.logic.OpenLyrics();
    o.logic.tmrAuto_Timer();
    o.logic.tmrAuto_Timer();
    EXPECT_EQ(o.shell.opened.size(), 1u);
}

// A player that only imitates Winamp's caption, not its main window's class, is not looked for.
TEST_F(AutoOpen, AClosedCaptionOnlyPlayerIsNotWatchedAgainUntilAManualOpen) {
    o.logic.OpenLyrics();
    o.desktop.Remove(winamp);
    const WindowHandle restarted = o.desktop.Add(L"1. Fresh - Winamp");
    o.logic.tmrAuto_Timer();
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(kTrayButtonFirst), ProgramNext::KeepRunning);
    EXPECT_EQ(o.logic.WinampWindow(), restarted);
    EXPECT_EQ(o.shell.opened.size(), 2u);
}

}  // namespace
}  // namespace lyrics::orlisk
