// The walk of the desktop's windows for a song: by captions alone, and asking Winamp's window
// when its caption names no song.
#include <gtest/gtest.h>

#include "tests/orlisk/orlisk_fixture.h"

namespace lyrics::orlisk::testing {
namespace {

const std::wstring kMayNotBeOpen(kWinampMayNotBeOpen);

class WindowWalk : public WalkTest {};
class WinampWalk : public WalkTest {};

TEST_F(WindowWalk, TakesTheFirstWindowWhoseCaptionYieldsATitle) {
    desktop.Add(L"Document - WordPad");
    const WindowHandle winamp = desktop.Add(L"12. Artist - Song - Winamp");
    desktop.Add(L"3. Other - Song - Winamp");
    EXPECT_EQ(Walk(), Found(winamp, L"Artist - Song", std::nullopt));
    // Every candidate examined wrote the tip, the one found included.
    EXPECT_EQ(tip.tips, (std::vector<std::wstring>{kMayNotBeOpen, kMayNotBeOpen}));
}

TEST_F(WindowWalk, FixedCaptionsTheOwnCaptionAndEmptyCaptionsLeaveTheTipAlone) {
    for (const wchar_t* caption :
         {L"1. Looks - Like - Winamp", L"Winamp Equalizer", L"Winamp Playlist Editor", L"Winamp Minibrowser", L"Orlisk", L""}) {
        desktop.Add(caption);
    }
    EXPECT_FALSE(Walk(L"1. Looks - Like - Winamp").has_value());  // the own window's caption, whatever it says
    EXPECT_TRUE(tip.tips.empty());
}

TEST_F(WindowWalk, DisabledSongWindowIsPassedOver) {
    desktop.Add(L"1. Modal - Winamp", /*disabled=*/true);
    const WindowHandle second = desktop.Add(L"2. Free - Winamp");
    EXPECT_EQ(Walk(), Found(second, L"Free", std::nullopt));
}

TEST_F(WindowWalk, WithoutWinampVisitsEveryWindowAndSaysSo) {
    EXPECT_FALSE(Walk().has_value());
    EXPECT_TRUE(tip.tips.empty()) << "an empty desktop";
    desktop.Add(L"Winamp Equalizer");
    desktop.Add(L"3.  - Winamp");  // an empty title: the walk goes on
    desktop.Add(L"Untitled - Notepad");
    desktop.log.clear();
    EXPECT_FALSE(Walk().has_value());
    EXPECT_EQ(tip.tips, (std::vector<std::wstring>{kMayNotBeOpen, kMayNotBeOpen}));
    EXPECT_EQ(desktop.log, (std::vector<std::wstring>{L"read 100", L"pump", L"read 101", L"pump", L"read 102", L"pump"}));
}

TEST_F(WindowWalk, HandlesPendingMessagesAfterEachWindowPassedOverOnly) {
    for (const wchar_t* caption : {L"Mail", L"Browser", L"4. Song - Winamp", L"Below"}) desktop.Add(caption);
    ASSERT_TRUE(Walk().has_value());
    EXPECT_EQ(desktop.log, (std::vector<std::wstring>{L"read 100", L"pump", L"read 101", L"pump", L"read 102"}));
}

TEST_F(WindowWalk, AWindowGoneDuringTheWalkIsNoCandidate) {
    desktop.Add(L"Top");
    const WindowHandle closing = desktop.Add(L"1. Song - Winamp");
    desktop.onPump = [&] { desktop.Remove(closing); };
    EXPECT_FALSE(Walk().has_value());
    EXPECT_EQ(tip.tips.size(), 1u);  // "Top" only
}

TEST_F(WindowWalk, AWindowThatGoesUnderTheWalkDoesNotHideWinampBelowIt) {
    // A Notepad closing as the walk passes it: it and its helper window go while messages are
    // handled, and the walk finds itself on a window with no next one.
    desktop.Add(L"Top");
    const WindowHandle closing = desktop.Add(L"Untitled - Notepad");
    const WindowHandle helper = desktop.Add(L"Default IME");
    const WindowHandle winamp = desktop.Add(L"1. Song - Winamp");
    int pumps = 0;
    desktop.onPump = [&] {
        if (++pumps != 2) return;
        desktop.Remove(closing);
        desktop.Remove(helper);
    };
    EXPECT_EQ(Walk(), Found(winamp, L"Song", std::nullopt));
    // Each window examined once: "Top" is passed over silently the second time.
    EXPECT_EQ(desktop.log,
              (std::vector<std::wstring>{L"read 100", L"pump", L"read 101", L"pump", L"read 102", L"pump", L"read 103"}));
    EXPECT_EQ(tip.tips.size(), 3u);
}

TEST_F(WindowWalk, AChurningDesktopEndsTheWalkAfterAFewStarts) {
    // Every pass of the message loop closes the two windows on top, the walk's next one among
    // them, and opens two others.
    for (int i = 0; i < 2; ++i) desktop.Add(L"Window");
    desktop.Add(L"1. Song - Winamp", /*disabled=*/true);
    desktop.onPump = [&] {
        desktop.windows.erase(desktop.windows.begin(), desktop.windows.begin() + 2);
        for (int i = 0; i < 2; ++i) desktop.windows.insert(desktop.windows.begin(), {desktop.nextHandle++, L"Window"});
    };
    EXPECT_FALSE(Walk().has_value());
    EXPECT_EQ(desktop.walksStarted, 1 + kWalkRestarts);
}

TEST_F(WindowWalk, StopsWhenAHandlerRunDuringItAsksTo) {
    for (const wchar_t* caption : {L"Top", L"1. Song - Winamp"}) desktop.Add(caption);
    bool stop = false;
    desktop.onPump = [&] { stop = true; };
    EXPECT_FALSE(Walk(kSettingsCaption, [&] { return stop; }).has_value());
    EXPECT_EQ(desktop.log, (std::vector<std::wstring>{L"read 100", L"pump"}));
}

TEST_F(WinampWalk, ACaptionThatNamesASongDecidesAndWinampsEntryIsKeptForTheTick) {
    const WindowHandle winamp = desktop.AddWinamp(L"12. Artist - Song - Winamp");
    remote.Plays(winamp, 11, L"Artist - Song (Radio Edit)");
    EXPECT_EQ(Walk(), Found(winamp, L"Artist - Song", PlayingEntry{11, L"Artist - Song (Radio Edit)"}));
}

TEST_F(WinampWalk, AScrolledCaptionGivesWayToWhatWinampPlaysPausedOrNot) {
    desktop.Add(L"Inbox - Mail");
    const WindowHandle winamp = desktop.AddWinamp(L". Artist - Song - Winamp *** 12");
    remote.Plays(winamp, 11, L"Artist - Song");
    EXPECT_EQ(Walk(), Found(winamp, L"Artist - Song", PlayingEntry{11, L"Artist - Song"}));
    EXPECT_EQ(tip.tips.size(), 2u) << "both candidates still write the tip on the way";
}

TEST_F(WinampWalk, AStoppedSilentOrDisabledWinampIsPassedOverAsItsCaptionAloneWouldBe) {
    const WindowHandle stopped = desktop.AddWinamp(L"Winamp 5.9");
    const WindowHandle silent = desktop.AddWinamp(L"ng - Winamp *** 3. Other - So");
    const WindowHandle disabled = desktop.AddWinamp(L"rtist - Song - Winamp *** 12. A");
    desktop.Find(disabled)->disabled = true;
    const WindowHandle emptyTitle = desktop.AddWinamp(L"Winamp");
    const WindowHandle below = desktop.Add(L"4. Caption - Player - Winamp");
    remote.Stops(stopped);
    remote.Plays(disabled, 11, L"Artist - Song");
    remote.Plays(emptyTitle, 0, L"");
    EXPECT_EQ(Walk(), Found(below, L"Caption - Player", std::nullopt));
    EXPECT_EQ(remote.asked, (std::vector<WindowHandle>{stopped, silent, emptyTitle})) << "a disabled window is not asked";
}

TEST_F(WinampWalk, NoWindowOfAnotherClassIsEverAsked) {
    const WindowHandle editor = desktop.Add(L". Artist - Song - Winamp *** 12");
    const WindowHandle player = desktop.Add(L"1. Song - Winamp");
    remote.Plays(editor, 0, L"Never asked");
    remote.Plays(player, 0, L"Never asked");
    EXPECT_EQ(Walk(), Found(player, L"Song", std::nullopt));
    EXPECT_TRUE(remote.asked.empty());
    EXPECT_EQ(AskWinamp(desktop, remote, editor).state, WinampState::NotAnswering);
    EXPECT_TRUE(remote.asked.empty());
}

}  // namespace
}  // namespace lyrics::orlisk::testing
