#include "orlisk/song_finder.h"

#include <gtest/gtest.h>

#include "tests/orlisk/fake_ports.h"

namespace lyrics::orlisk {
namespace {

using testing::FakeDesktop;
using testing::FakeTip;

constexpr WindowHandle kOwn = 7;
const std::wstring kMayNotBeOpen(kWinampMayNotBeOpen);

// The walk by captions alone: no window answers when asked.
std::optional<FoundSong> Walk(FakeDesktop& desktop, FakeTip& tip, std::wstring_view ownCaption = kSettingsCaption,
                              const std::function<bool()>& stopRequested = {}) {
    testing::FakeWinampRemote silent;
    return FindWinampSong(desktop, silent, kOwn, ownCaption, tip, stopRequested);
}

TEST(WindowWalk, TakesTheFirstWindowWhoseCaptionYieldsATitle) {
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"Document - WordPad");
    const WindowHandle winamp = desktop.Add(L"12. Artist - Song - Winamp");
    desktop.Add(L"3. Other - Song - Winamp");
    const std::optional<FoundSong> found = Walk(desktop, tip);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->window, winamp);
    EXPECT_EQ(found->title, L"Artist - Song");
    // Every candidate examined wrote the tip, the one found included.
    EXPECT_EQ(tip.tips, (std::vector<std::wstring>{kMayNotBeOpen, kMayNotBeOpen}));
}

TEST(WindowWalk, FixedCaptionsTheOwnCaptionAndEmptyCaptionsLeaveTheTipAlone) {
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"1. Looks - Like - Winamp");  // the own window's caption, whatever it says
    desktop.Add(L"Winamp Equalizer");
    desktop.Add(L"Winamp Playlist Editor");
    desktop.Add(L"Winamp Minibrowser");
    desktop.Add(L"Orlisk");
    desktop.Add(L"");
    EXPECT_FALSE(Walk(desktop, tip, L"1. Looks - Like - Winamp").has_value());
    EXPECT_TRUE(tip.tips.empty());
}

TEST(WindowWalk, DisabledSongWindowIsPassedOver) {
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"1. Modal - Winamp", /*disabled=*/true);
    const WindowHandle second = desktop.Add(L"2. Free - Winamp");
    const std::optional<FoundSong> found = Walk(desktop, tip);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->window, second);
    EXPECT_EQ(found->title, L"Free");
}

TEST(WindowWalk, WithoutWinampVisitsEveryWindowAndSaysSo) {
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"Winamp Equalizer");
    desktop.Add(L"3.  - Winamp");  // an empty title: the walk goes on
    desktop.Add(L"Untitled - Notepad");
    EXPECT_FALSE(Walk(desktop, tip).has_value());
    EXPECT_EQ(tip.tips, (std::vector<std::wstring>{kMayNotBeOpen, kMayNotBeOpen}));
    EXPECT_EQ(desktop.log, (std::vector<std::wstring>{L"read 100", L"pump", L"read 101", L"pump", L"read 102", L"pump"}));

    FakeDesktop empty;
    FakeTip untouched;
    EXPECT_FALSE(Walk(empty, untouched).has_value());
    EXPECT_TRUE(untouched.tips.empty());
}

TEST(WindowWalk, HandlesPendingMessagesAfterEachWindowPassedOverOnly) {
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"Mail");
    desktop.Add(L"Browser");
    desktop.Add(L"4. Song - Winamp");
    desktop.Add(L"Below");
    ASSERT_TRUE(Walk(desktop, tip).has_value());
    EXPECT_EQ(desktop.log, (std::vector<std::wstring>{L"read 100", L"pump", L"read 101", L"pump", L"read 102"}));
}

TEST(WindowWalk, AWindowGoneDuringTheWalkIsNoCandidate) {
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"Top");
    const WindowHandle closing = desktop.Add(L"1. Song - Winamp");
    desktop.onPump = [&] { desktop.Remove(closing); };
    EXPECT_FALSE(Walk(desktop, tip).has_value());
    EXPECT_EQ(tip.tips.size(), 1u);  // "Top" only
}

TEST(WindowWalk, AWindowThatGoesUnderTheWalkDoesNotHideWinampBelowIt) {
    // A Notepad closing as the walk passes it: it and its helper window go while messages are
    // handled, and the walk finds itself on a window with no next one.
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"Top");
    const WindowHandle closing = desktop.Add(L"Untitled - Notepad");
    const WindowHandle helper = desktop.Add(L"Default IME");
    const WindowHandle winamp = desktop.Add(L"1. Song - Winamp");
    int pumps = 0;
    desktop.onPump = [&] {
        if (++pumps == 2) {
            desktop.Remove(closing);
            desktop.Remove(helper);
        }
    };
    const std::optional<FoundSong> found = Walk(desktop, tip);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->window, winamp);
    // Each window examined once: "Top" is passed over silently the second time.
    EXPECT_EQ(desktop.log,
              (std::vector<std::wstring>{L"read 100", L"pump", L"read 101", L"pump", L"read 102", L"pump", L"read 103"}));
    EXPECT_EQ(tip.tips.size(), 3u);
}

TEST(WindowWalk, AChurningDesktopEndsTheWalkAfterAFewStarts) {
    FakeDesktop desktop;
    FakeTip tip;
    // Every pass of the message loop closes the two windows on top, the walk's next one among
    // them, and opens two others.
    desktop.Add(L"Window");
    desktop.Add(L"Window");
    desktop.Add(L"1. Song - Winamp", /*disabled=*/true);
    desktop.onPump = [&] {
        desktop.windows.erase(desktop.windows.begin(), desktop.windows.begin() + 2);
        for (int i = 0; i < 2; ++i) desktop.windows.insert(desktop.windows.begin(), {desktop.nextHandle++, L"Window"});
    };
    EXPECT_FALSE(Walk(desktop, tip).has_value());
    EXPECT_EQ(desktop.walksStarted, 1 + kWalkRestarts);
}

TEST(WindowWalk, StopsWhenAHandlerRunDuringItAsksTo) {
    FakeDesktop desktop;
    FakeTip tip;
    desktop.Add(L"Top");
    desktop.Add(L"1. Song - Winamp");
    bool stop = false;
    desktop.onPump = [&] { stop = true; };
    EXPECT_FALSE(Walk(desktop, tip, kSettingsCaption, [&] { return stop; }).has_value());
    EXPECT_EQ(desktop.log, (std::vector<std::wstring>{L"read 100", L"pump"}));
}

}  // namespace
}  // namespace lyrics::orlisk
