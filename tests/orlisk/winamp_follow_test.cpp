// The song-change tick: its cheap test by caption, and following Winamp through what it answers
// as well as its caption: walks past hung windows, the playing entry, a Winamp started late and a
// restarted one.
#include "orlisk/song_change.h"

#include <gtest/gtest.h>

#include "tests/orlisk/orlisk_fixture.h"

namespace lyrics::orlisk::testing {
namespace {

// "12. Artist - Song - Winamp *** " as Winamp scrolls it through its taskbar title, one
// character further on each call.
std::vector<std::wstring> ScrolledCaptions(std::wstring caption) {
    caption += L" *** ";
    std::vector<std::wstring> rotations;
    for (std::size_t shift = 0; shift < caption.size(); ++shift) {
        rotations.push_back(caption.substr(shift) + caption.substr(0, shift));
    }
    return rotations;
}

class FollowWinamp : public OrliskTest {
protected:
    // Winamp at the bottom of the Z order, playing an entry, its caption scrolled off the title.
    WindowHandle StartWinamp(int index, const std::wstring& title) {
        const WindowHandle winamp =
            o.desktop.AddWinamp(ScrolledCaptions(std::to_wstring(index + 1) + L". " + title + L" - Winamp")[2]);
        o.remote.Plays(winamp, index, title);
        return winamp;
    }
};

TEST_F(FollowWinamp, HungWinampWindowsShareOneBudgetAndRestAfterwards) {
    std::vector<WindowHandle> hung;
    for (int i = 0; i < 50; ++i) {
        hung.push_back(o.desktop.AddWinamp(L"Winamp 5.66"));
        o.remote.hung.insert(hung.back());
    }
    o.desktop.Add(L"12. Artist - Song - Winamp");
    for (int walk = 0; walk < 3; ++walk) {
        const auto start = o.desktop.now;
        Click();
        EXPECT_LE(o.desktop.now - start, kWinampRoundBudget) << "walk " << walk;
        EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");
    }
    // A window that used up its time is not asked in the walks after it.
    EXPECT_EQ(std::count(o.remote.asked.begin(), o.remote.asked.end(), hung[0]), 1);
    o.desktop.now += kHungWinampRest;
    Click();
    EXPECT_EQ(std::count(o.remote.asked.begin(), o.remote.asked.end(), hung[0]), 2) << "asked again after a while";
}

TEST_F(FollowWinamp, AScrollingCaptionNeverClosesTheLyricsOfTheSongStillPlaying) {
    const WindowHandle winamp = StartWinamp(11, L"Artist - Song");
    o.logic.OpenLyrics();
    ASSERT_EQ(o.Opened(), Lyrics({L"Artist - Song"}));
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");
    for (const std::wstring& caption : ScrolledCaptions(L"12. Artist - Song - Winamp")) {
        TickShowing(winamp, caption);
    }
    EXPECT_TRUE(o.desktop.PostedTo(notepad).empty());
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.desktop.walksStarted, 1) << "only the first open walked";
}

TEST_F(FollowWinamp, AnotherTitleIsASongChangeWhateverTheCaptionShowsAnotherEntryIsNot) {
    const WindowHandle winamp = StartWinamp(11, L"Artist - Song");
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");

    // The caption still shows the old title when the tick comes: Winamp's answer decides.
    TickPlaying(winamp, 12, L"Other - Tune");
    EXPECT_EQ(o.desktop.PostedTo(notepad).size(), 2u) << "the old lyrics are asked to close";
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song", L"Other - Tune"}));
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Other - Tune");

    // The same song again from another place in the playlist is no change: its lyrics stay.
    const WindowHandle tune = o.desktop.Add(L"Other - Tune - Notepad");
    o.remote.Plays(winamp, 3, L"Other - Tune");
    Tick(2);
    EXPECT_EQ(o.shell.opened.size(), 2u);
    EXPECT_TRUE(o.desktop.PostedTo(tune).empty());
    // And from there, another title is a change again.
    TickPlaying(winamp, 3, L"Artist - Song");
    EXPECT_EQ(o.shell.opened.size(), 3u);
}

TEST_F(FollowWinamp, AStoppedWinampKeepsTheLyricsUntilAnotherSongPlays) {
    const WindowHandle winamp = StartWinamp(0, L"Artist - Song");
    o.logic.OpenLyrics();
    o.remote.Stops(winamp);
    Caption(winamp, L"Winamp 5.9: stopped");  // would read as a change by the caption alone
    Tick();
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_TRUE(o.desktop.posted.empty());

    TickPlaying(winamp, 1, L"Other - Tune");
    EXPECT_EQ(o.Opened().back(), L"C:\\Lyrics\\Other - Tune.txt");
}

TEST_F(FollowWinamp, AWinampThatStopsAnsweringIsFollowedByItsCaption) {
    const WindowHandle winamp = StartWinamp(0, L"Artist - Song");
    o.logic.OpenLyrics();
    o.remote.FallsSilent(winamp);
    TickShowing(winamp, L"1. Artist - Song - Winamp");
    EXPECT_EQ(o.shell.opened.size(), 1u);
    TickShowing(winamp, L"2. Other - Tune - Winamp");
    EXPECT_EQ(o.Opened().back(), L"C:\\Lyrics\\Other - Tune.txt");
}

TEST_F(FollowWinamp, ASongTakenFromTheCaptionIsFollowedByItsEntryOnceWinampAnswers) {
    const WindowHandle winamp = o.desktop.AddWinamp(L"1. Artist - Song - Winamp");
    o.logic.OpenLyrics();  // Winamp did not answer then
    ASSERT_EQ(o.shell.opened.size(), 1u);

    o.remote.Plays(winamp, 0, L"Artist - Song");
    TickShowing(winamp, L"rtist - Song - Winamp *** 1. A");
    EXPECT_EQ(o.shell.opened.size(), 1u) << "the same song: nothing to do";
    TickPlaying(winamp, 1, L"Artist - Song");
    EXPECT_EQ(o.shell.opened.size(), 1u) << "the same title from another entry: the same song";
    TickPlaying(winamp, 2, L"Other - Tune");
    EXPECT_EQ(o.shell.opened.size(), 2u) << "from then on the entry is followed";

    o.remote.FallsSilent(winamp);
    Caption(winamp, L"1. Other - Tune - Winamp");
    o.logic.OpenLyrics();
    o.remote.Plays(winamp, 5, L"Something - Else");
    TickShowing(winamp, L"6. Something - Else - Winamp");
    EXPECT_EQ(o.Opened().back(), L"C:\\Lyrics\\Something - Else.txt") << "another title once it answers: a change";
}

TEST_F(FollowWinamp, WhileNoWinampRunsATickCostsOneLookUpByClass) {
    // A caption is not enough to be looked for.
    for (const wchar_t* caption : {L"Inbox - Mail", L"1. Looks - Like - Winamp"}) o.desktop.Add(caption);
    Tick(2);
    EXPECT_EQ(o.desktop.classLookups, 2);
    EXPECT_EQ(o.desktop.walksStarted, 0);
    EXPECT_TRUE(o.desktop.log.empty()) << "no caption read";
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_TRUE(o.tip.tips.empty());
}

TEST_F(FollowWinamp, WinampStartedAfterOrliskOpensTheLyricsByItself) {
    o.store.values = {{L"Path", L"C:\\Lyrics\\"}, {L"Auto", L"1"}};
    o.files.AddFolder(L"C:\\Lyrics");
    ASSERT_EQ(o.logic.Form_Load(), ProgramNext::KeepRunning);  // "Auto" turns "Start" on: finds nothing yet
    ASSERT_TRUE(o.controls.tmrAuto);
    EXPECT_TRUE(o.shell.opened.empty());
    Tick();

    const WindowHandle winamp = StartWinamp(4, L"Artist - Song");
    Tick();
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song"}));
    EXPECT_EQ(o.logic.WinampWindow(), winamp);
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");

    // From then on the window is watched, and looked for no more.
    const int lookUps = o.desktop.classLookups;
    Tick();
    EXPECT_EQ(o.desktop.classLookups, lookUps);
    EXPECT_EQ(o.shell.opened.size(), 1u);
}

TEST_F(FollowWinamp, AStoppedWinampFoundByItsClassIsNotWalkedFor) {
    const WindowHandle winamp = o.desktop.AddWinamp(L"Winamp 5.9");
    o.remote.Stops(winamp);
    Tick(2);
    EXPECT_EQ(o.desktop.walksStarted, 0);
    EXPECT_TRUE(o.tip.tips.empty()) << "the tip keeps what it said";

    TickPlaying(winamp, 0, L"Artist - Song");
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song"}));
}

TEST_F(FollowWinamp, ARestartedWinampPlayingAnotherSongClosesAndOpens) {
    const WindowHandle first = StartWinamp(0, L"Artist - Song");
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");

    o.desktop.Remove(first);
    Tick();  // Winamp is gone: nothing to follow yet, the lyrics stay
    EXPECT_TRUE(o.desktop.PostedTo(notepad).empty());

    const WindowHandle second = StartWinamp(7, L"Other - Tune");
    Tick();
    EXPECT_EQ(o.desktop.PostedTo(notepad).size(), 2u);
    EXPECT_EQ(o.Opened().back(), L"C:\\Lyrics\\Other - Tune.txt");
    EXPECT_EQ(o.logic.WinampWindow(), second);
}

TEST_F(FollowWinamp, ARestartedWinampPlayingTheSameSongLeavesItsLyricsOpen) {
    const WindowHandle first = StartWinamp(0, L"Artist - Song");
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");
    o.desktop.Remove(first);
    const WindowHandle second = StartWinamp(0, L"Artist - Song");
    Tick();
    EXPECT_TRUE(o.desktop.PostedTo(notepad).empty());
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.logic.WinampWindow(), second) << "the new window is the one watched";

    TickPlaying(second, 1, L"Other - Tune");
    EXPECT_EQ(o.Opened().back(), L"C:\\Lyrics\\Other - Tune.txt");
}

TEST_F(FollowWinamp, AWindowThatReadsEmptyCountsAsGone) {
    const WindowHandle first = o.desktop.AddWinamp(L"1. Artist - Song - Winamp");
    o.logic.OpenLyrics();
    o.desktop.Find(first)->caption.clear();  // closing, or its handle now names another window
    o.desktop.Find(first)->className.clear();
    const WindowHandle second = StartWinamp(1, L"Other - Tune");
    Tick();
    EXPECT_EQ(o.logic.WinampWindow(), second);
    EXPECT_EQ(o.Opened().back(), L"C:\\Lyrics\\Other - Tune.txt");
}

TEST_F(FollowWinamp, ALookThatEndsTheProgramMidWalkOpensNothing) {
    StartWinamp(0, L"Artist - Song");
    o.desktop.windows.insert(o.desktop.windows.begin(), FakeWindow{1, L"Top"});
    o.desktop.onPump = [&] { EXPECT_EQ(o.logic.RunMenuCommand(MenuCommand::Exit), ProgramNext::End); };
    Tick();
    EXPECT_TRUE(o.logic.EndRequested());
    EXPECT_FALSE(o.logic.WalkInProgress());
    EXPECT_TRUE(o.shell.opened.empty());
}

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
    Tick();
    EXPECT_TRUE(o.desktop.log.empty());
    EXPECT_TRUE(o.shell.opened.empty());
}

TEST_F(AutoOpen, ASongChangeClosesTheOldLyricsAndOpensTheNew) {
    o.logic.OpenLyrics();
    const WindowHandle notepad = o.desktop.Add(L"Artist - Song - Notepad");
    Tick();
    EXPECT_EQ(o.shell.opened.size(), 1u);

    TickShowing(winamp, L"13. Artist - Next - Winamp");
    EXPECT_EQ(o.desktop.PostedTo(notepad).size(), 2u);
    EXPECT_EQ(o.Opened(), Lyrics({L"Artist - Song", L"Artist - Next"}));
    EXPECT_EQ(o.logic.LyricsCaption(), L"Artist - Next - Notepad");
}

TEST_F(AutoOpen, ASongWithoutLyricsIsTriedOnce) {
    o.shell.opens = false;
    o.logic.OpenLyrics();
    Tick(2);
    EXPECT_EQ(o.shell.opened.size(), 1u);
}

// A player that only imitates Winamp's caption, not its main window's class, is not looked for.
TEST_F(AutoOpen, AClosedCaptionOnlyPlayerIsNotWatchedAgainUntilAManualOpen) {
    o.logic.OpenLyrics();
    o.desktop.Remove(winamp);
    const WindowHandle restarted = o.desktop.Add(L"1. Fresh - Winamp");
    Tick();
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(Click(), ProgramNext::KeepRunning);
    EXPECT_EQ(o.logic.WinampWindow(), restarted);
    EXPECT_EQ(o.shell.opened.size(), 2u);
}

}  // namespace
}  // namespace lyrics::orlisk::testing
