// End-to-end tests of Orlisk.exe following a stand-in Winamp that behaves as Winamp does for
// other programs: its main window's class, a caption that may scroll, answers to Winamp's window
// messages from its own memory, and a program that can be closed and started again. Checked
// through the Notepad windows of Wine that Orlisk opens and closes.
//
// Usage: orlisk_winamp_e2e --orlisk=PATH\Orlisk.exe --winamp=PATH\fake_winamp.exe [gtest options]

#include "tests/e2e/orlisk_fixture.h"

namespace orlisk_e2e {
namespace {

// Orlisk with "Auto" on, which turns "Start" on with it.
class WinampE2E : public OrliskFixture {
protected:
    void SetUp() override {
        OrliskFixture::SetUp();
        StoreSettings(L"1", L"1");
    }

    // Starts the stand-in Winamp with the arguments, then Orlisk; the Notepad of the first song's
    // lyrics, or null when one of them did not come.
    HWND StartWinampThenOrlisk(const std::vector<std::wstring>& arguments) {
        if (!StartWinamp(arguments) || !StartOrlisk()) return nullptr;
        return WaitForLyrics(kFirstSong, 10s);
    }
};

TEST_F(WinampE2E, AScrollingTitleKeepsTheLyricsOpenUntilTheSongChanges) {
    const HWND first = StartWinampThenOrlisk({L"--winamp", L"--scroll", kFirstSong, kSecondSong});
    ASSERT_EQ(WinampVersion(), 0x5066) << "the stand-in answers as Winamp 5.66";
    ASSERT_NE(first, nullptr) << "the lyrics open at start-up although the caption scrolls";

    // Five ticks and more, while the caption shows the title cut apart most of the time.
    bool cutApart = false;
    bool stayed = true;
    const auto watching = std::chrono::steady_clock::now();
    while (MillisecondsSince(watching) < 10'000) {
        if (!::IsWindow(first) || LyricsOf(kFirstSong) != first) {
            stayed = false;
            break;
        }
        cutApart = cutApart || WindowText(WinampWindow()).find(kFirstSong) == std::wstring::npos;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_TRUE(stayed) << "the same Notepad window stays open while the song plays (" << MillisecondsSince(watching) << " ms)";
    EXPECT_TRUE(cutApart) << "the stand-in's caption scrolled the title apart";
    EXPECT_EQ(NotepadWindows().size(), 1u);

    ExpectSongChangeFollowed([&] { return PressNext(); }, kSecondSong, first, "scrolling title, song change");
}

TEST_F(WinampE2E, AutoOpensTheLyricsWhenWinampStartsAfterOrlisk) {
    ASSERT_NE(StartOrlisk(), nullptr);
    EXPECT_TRUE(NoNotepadFor(2500ms)) << "nothing to open while no Winamp runs";

    ASSERT_TRUE(StartWinamp({L"--winamp", L"--scroll", kFirstSong}));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_NE(WaitForLyrics(kFirstSong, 5s), nullptr) << "the lyrics open by themselves";
    std::printf("Winamp started after Orlisk: lyrics after %d ms\n", MillisecondsSince(started));
}

TEST_F(WinampE2E, AutoFollowsWinampStartedAgain) {
    const HWND first = StartWinampThenOrlisk({L"--winamp", kFirstSong, kSecondSong});
    ASSERT_NE(first, nullptr);

    ASSERT_TRUE(CloseWinamp());
    EXPECT_FALSE(WaitFor([&] { return !::IsWindow(first); }, 2500ms)) << "while Winamp is away the lyrics stay";

    ASSERT_TRUE(StartWinamp({L"--winamp", L"--scroll", kSecondSong}));
    const auto restarted = std::chrono::steady_clock::now();
    EXPECT_NE(WaitForLyrics(kSecondSong, 5s), nullptr) << "the restarted Winamp's song opens by itself";
    const int openedAfter = MillisecondsSince(restarted);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 3s)) << "and the old lyrics close";
    std::printf("Winamp started again: new lyrics after %d ms\n", openedAfter);
}

TEST_F(WinampE2E, AWinampThatDoesNotAnswerIsReadFromItsCaption) {
    const HWND first = StartWinampThenOrlisk({L"--winamp", L"--silent", kFirstSong, kSecondSong});
    ASSERT_EQ(WinampVersion(), 0) << "the stand-in keeps quiet";
    ASSERT_NE(first, nullptr) << "the caption names the song";
    // The caption's change is followed.
    ExpectSongChangeFollowed([&] { return PressNext(); }, kSecondSong, first, "silent Winamp, song change");
}

}  // namespace
}  // namespace orlisk_e2e

int wmain(int argc, wchar_t** argv) { return orlisk_e2e::RunOrliskE2ETests(argc, argv); }
