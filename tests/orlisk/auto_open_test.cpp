// The song-change tick: its cheap test, and what it does over a fake desktop.
#include "orlisk/song_change.h"

#include <gtest/gtest.h>

#include "tests/orlisk/orlisk_fixture.h"

namespace lyrics::orlisk {
namespace {

TEST(SongChange, ChangedWhenTheCaptionNoLongerHoldsTheLastTitle) {
    // Main form: changed when the last title is gone, unless the old title is inside the new one.
    // Status form: only a caption with a ":" can show a change. "Winamp" at position 1 or 2 is
    // not the main form. Searches are case-sensitive. A closed Winamp reads empty: no change.
    for (const wchar_t* caption :
         {L"12. Artist - Song - Winamp", L"13. Artist - Song (Remix) - Winamp", L"13. Artist - Other (playing)",
          L"12. Artist - Song (0:12)", L"Winamp 5.9", L"xWinamp", L"12. x - WINAMP", L""}) {
        EXPECT_FALSE(SongHasChanged(caption, L"Artist - Song")) << caption;
    }
    for (const wchar_t* caption : {L"13. Artist - Other - Winamp", L"13. Artist - Other (0:12)", L"xxWinamp", L"Winamp: 5.9",
                                   L"12. ARTIST - SONG - Winamp"}) {
        EXPECT_TRUE(SongHasChanged(caption, L"Artist - Song")) << caption;
    }
}

class AutoOpen : public testing::OrliskTest {
protected:
    AutoOpen() : OrliskTest({L"12. Artist - Song - Winamp"}) {}
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

    Caption(winamp, L"13. Artist - Next - Winamp");
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
    EXPECT_EQ(Click(), ProgramNext::KeepRunning);
    EXPECT_EQ(o.logic.WinampWindow(), restarted);
    EXPECT_EQ(o.shell.opened.size(), 2u);
}

}  // namespace
}  // namespace lyrics::orlisk
