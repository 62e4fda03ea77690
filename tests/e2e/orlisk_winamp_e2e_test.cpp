// End-to-end tests of Orlisk.exe following a stand-in Winamp that behaves as Winamp does for
// other programs: its main window's class, a caption that may scroll, answers to Winamp's window
// messages from its own memory, and a program that can be closed and started again. Checked
// through the Notepad windows of Wine that Orlisk opens and closes.
//
// Usage: orlisk_winamp_e2e --orlisk=PATH\Orlisk.exe --winamp=PATH\fake_winamp.exe [gtest options]
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <thread>

#include "tests/e2e/orlisk_e2e_support.h"

namespace orlisk_e2e {
namespace {

constexpr wchar_t kWinampClass[] = L"Winamp v1.x";
constexpr WORD kNextButton = 40048;

int MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

class WinampE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Programs().orlisk.empty()) << "--orlisk=PATH is missing";
        ASSERT_FALSE(Programs().winamp.empty()) << "--winamp=PATH is missing";
        EndAllNotepads();
        DeleteSettings();
        lyrics_.AddLyrics(L"Artist - Song");
        lyrics_.AddLyrics(L"Other - Tune");
        // "Auto" on, which turns "Start" on with it.
        StoreSetting(L"Path", lyrics_.Path(true));
        StoreSetting(L"Start", L"1");
        StoreSetting(L"Auto", L"1");
    }

    void TearDown() override {
        EndOrlisk(orlisk_);
        winamp_.reset();
        EndAllNotepads();
        DeleteSettings();
    }

    bool StartOrlisk() { return orlisk_.Start(Programs().orlisk) && WaitForSettingsWindow(orlisk_, 10s) != nullptr; }

    bool StartWinamp(const std::vector<std::wstring>& arguments) {
        winamp_.reset();
        winamp_.emplace();
        return winamp_->Start(Programs().winamp, arguments) && WaitFor([&] { return WinampWindow() != nullptr; }, 5s);
    }

    HWND WinampWindow() const {
        if (!winamp_) return nullptr;
        const auto windows = TopLevelWindows(kWinampClass, winamp_->Id());
        return windows.empty() ? nullptr : windows.front();
    }

    // As Winamp's close box does: the program ends.
    bool CloseWinamp() {
        ::PostMessageW(WinampWindow(), WM_CLOSE, 0, 0);
        return winamp_->WaitForExit(5s);
    }

    // What the stand-in answers to IPC_GETVERSION, or nothing when it does not answer.
    LRESULT WinampVersion() const {
        DWORD_PTR version = 0;
        ::SendMessageTimeoutW(WinampWindow(), WM_USER, 0, 0, SMTO_ABORTIFHUNG, 2000, &version);
        return static_cast<LRESULT>(version);
    }

    // Waits for the lyrics of title to show; null when they did not within timeout.
    static HWND WaitForLyrics(const std::wstring& title, std::chrono::milliseconds timeout) {
        HWND notepad = nullptr;
        WaitFor([&] { return (notepad = LyricsNotepad(title)) != nullptr; }, timeout);
        return notepad;
    }

    LyricsFolder lyrics_;
    ChildProcess orlisk_;
    std::optional<ChildProcess> winamp_;
};

TEST_F(WinampE2E, AScrollingTitleKeepsTheLyricsOpenUntilTheSongChanges) {
    ASSERT_TRUE(StartWinamp({L"--winamp", L"--scroll", L"Artist - Song", L"Other - Tune"}));
    ASSERT_EQ(WinampVersion(), 0x5066) << "the stand-in answers as Winamp 5.66";
    ASSERT_TRUE(StartOrlisk());
    const HWND first = WaitForLyrics(L"Artist - Song", 10s);
    ASSERT_NE(first, nullptr) << "the lyrics open at start-up although the caption scrolls";

    // Five ticks and more, while the caption shows the title cut apart most of the time.
    bool cutApart = false;
    bool stayed = true;
    const auto watching = std::chrono::steady_clock::now();
    while (MillisecondsSince(watching) < 10'000) {
        if (!::IsWindow(first) || LyricsNotepad(L"Artist - Song") != first) {
            stayed = false;
            break;
        }
        cutApart = cutApart || WindowText(WinampWindow()).find(L"Artist - Song") == std::wstring::npos;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_TRUE(stayed) << "the same Notepad window stays open while the song plays (" << MillisecondsSince(watching) << " ms)";
    EXPECT_TRUE(cutApart) << "the stand-in's caption scrolled the title apart";
    EXPECT_EQ(NotepadWindows().size(), 1u);

    ::PostMessageW(WinampWindow(), WM_COMMAND, kNextButton, 0);
    const auto changed = std::chrono::steady_clock::now();
    EXPECT_NE(WaitForLyrics(L"Other - Tune", 3s), nullptr) << "the next song's lyrics open within 3 seconds";
    const int openedAfter = MillisecondsSince(changed);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 3s)) << "and the old ones close";
    const int closedAfter = MillisecondsSince(changed);
    EXPECT_LE(closedAfter, 3000);
    std::printf("scrolling title, song change: new lyrics after %d ms, old lyrics gone after %d ms\n", openedAfter, closedAfter);
}

TEST_F(WinampE2E, AutoOpensTheLyricsWhenWinampStartsAfterOrlisk) {
    ASSERT_TRUE(StartOrlisk());
    EXPECT_FALSE(WaitFor([] { return !NotepadWindows().empty(); }, 2500ms)) << "nothing to open while no Winamp runs";

    ASSERT_TRUE(StartWinamp({L"--winamp", L"--scroll", L"Artist - Song"}));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_NE(WaitForLyrics(L"Artist - Song", 5s), nullptr) << "the lyrics open by themselves";
    std::printf("Winamp started after Orlisk: lyrics after %d ms\n", MillisecondsSince(started));
}

TEST_F(WinampE2E, AutoFollowsWinampStartedAgain) {
    ASSERT_TRUE(StartWinamp({L"--winamp", L"Artist - Song", L"Other - Tune"}));
    ASSERT_TRUE(StartOrlisk());
    const HWND first = WaitForLyrics(L"Artist - Song", 10s);
    ASSERT_NE(first, nullptr);

    ASSERT_TRUE(CloseWinamp());
    EXPECT_FALSE(WaitFor([&] { return !::IsWindow(first); }, 2500ms)) << "while Winamp is away the lyrics stay";

    ASSERT_TRUE(StartWinamp({L"--winamp", L"--scroll", L"Other - Tune"}));
    const auto restarted = std::chrono::steady_clock::now();
    EXPECT_NE(WaitForLyrics(L"Other - Tune", 5s), nullptr) << "the restarted Winamp's song opens by itself";
    const int openedAfter = MillisecondsSince(restarted);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 3s)) << "and the old lyrics close";
    std::printf("Winamp started again: new lyrics after %d ms\n", openedAfter);
}

TEST_F(WinampE2E, AWinampThatDoesNotAnswerIsReadFromItsCaption) {
    ASSERT_TRUE(StartWinamp({L"--winamp", L"--silent", L"Artist - Song", L"Other - Tune"}));
    ASSERT_EQ(WinampVersion(), 0) << "the stand-in keeps quiet";
    ASSERT_TRUE(StartOrlisk());
    const HWND first = WaitForLyrics(L"Artist - Song", 10s);
    ASSERT_NE(first, nullptr) << "the caption names the song";

    ::PostMessageW(WinampWindow(), WM_COMMAND, kNextButton, 0);
    const auto changed = std::chrono::steady_clock::now();
    EXPECT_NE(WaitForLyrics(L"Other - Tune", 3s), nullptr) << "the caption's change is followed";
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 3s));
    std::printf("silent Winamp, song change: lyrics after %d ms\n", MillisecondsSince(changed));
}

}  // namespace
}  // namespace orlisk_e2e

int wmain(int argc, wchar_t** argv) { return orlisk_e2e::RunOrliskE2ETests(argc, argv); }
