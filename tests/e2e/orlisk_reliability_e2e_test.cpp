// Orlisk.exe under Wine as a hostile or hurried user meets it: the tray menu's lyrics commands,
// a close before the first song, captions too long for a file name, a burst of clicks, and
// lyrics edited and not saved. The soak is in orlisk_soak_e2e_test.cpp.
//
// Usage: orlisk_reliability_e2e --orlisk=PATH\Orlisk.exe --winamp=PATH\fake_winamp.exe [gtest options]
#include <algorithm>
#include <set>

#include "tests/driver/owned_objects.h"
#include "tests/e2e/orlisk_fixture.h"

namespace orlisk_e2e {
namespace {

// Notepad's windows once they have stopped changing for quiet (none opened, none closed).
std::vector<HWND> SettledNotepads(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout,
                                  std::set<HWND>* seen = nullptr) {
    std::vector<HWND> last = NotepadWindows();
    auto lastChange = std::chrono::steady_clock::now();
    WaitFor(
        [&] {
            std::vector<HWND> now = NotepadWindows();
            if (seen) seen->insert(now.begin(), now.end());
            if (now != last) {
                last = std::move(now);
                lastChange = std::chrono::steady_clock::now();
            }
            return std::chrono::steady_clock::now() - lastChange >= quiet;
        },
        timeout);
    return last;
}

// The messages Orlisk posted to a window of this thread, which pumps none: they wait in its queue.
std::vector<UINT> PostedTo(HWND window) {
    std::vector<UINT> messages;
    MSG msg{};
    while (::PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) messages.push_back(msg.message);
    return messages;
}

TEST_F(OrliskReliability, MenusCloseLyricsClosesAndOpenLyricsReopens) {
    const HWND first = StartWithFirstSongPlaying(L"1", L"0");
    ASSERT_NE(first, nullptr);

    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kCloseLyrics));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 5s)) << "\"Close Lyrics\" closes the lyrics";
    EXPECT_TRUE(NoNotepadFor(2s)) << "and opens nothing";

    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kOpenLyrics));
    const HWND second = ReadyLyricsOf(kFirstSong);
    EXPECT_NE(second, nullptr) << "\"Open Lyrics\" opens them";

    // With lyrics open, "Open Lyrics" closes them before it opens those of the song now playing.
    ASSERT_TRUE(PlaySong(WinampCaption(13, kSecondSong)));
    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kOpenLyrics));
    EXPECT_TRUE(WaitFor([&] { return LyricsOf(kSecondSong) != nullptr; }, 10s));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(second); }, 5s));
    EXPECT_EQ(SettledNotepads(1s, 10s).size(), 1u);
}

TEST_F(OrliskReliability, CloseBeforeTheFirstSongAsksNoWindowToClose) {
    StoreSettings(L"0", L"0");
    // What a close without a title might look for: the empty caption, which FindWindow answers
    // with any window that has none, and either suffix alone. No Winamp: no song is ever found.
    std::vector<UniqueWindow> bait;
    for (const wchar_t* caption : {L"", L" - Notepad", L".txt - Notepad"})
        bait.emplace_back(
            ::CreateWindowExW(0, L"STATIC", caption, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(StartOrlisk(), nullptr);

    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kCloseLyrics));
    orlisk_.ClickIcon();
    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kOpenLyrics));
    EXPECT_TRUE(orlisk_.Answers()) << "Orlisk still handles its events";
    EXPECT_TRUE(orlisk_.VisibleDialogs().empty()) << "and shows no box";
    for (const UniqueWindow& window : bait)
        EXPECT_EQ(PostedTo(window.get()), std::vector<UINT>{})
            << "caption " << ::testing::PrintToString(WindowText(window.get()));
}

// "1. " + this + " - Winamp": any program may caption a window so.
std::wstring HugeTitle() {
    std::wstring title;
    while (title.size() < 2100) title += L"An endless title that no file system could hold ";
    return title;
}

TEST_F(OrliskReliability, TitlesNoFileCanHaveNeverReachTheShell) {
    StoreSettings(L"1", L"0");
    ASSERT_TRUE(StartWinamp(L"1. " + HugeTitle() + L" - Winamp"));
    const std::vector<HWND> before = TopLevelWindows();
    ASSERT_NE(StartOrlisk(), nullptr);
    EXPECT_TRUE(orlisk_.Answers()) << "alive after trying the lyrics at start-up";
    // The same title clicked; a name a file may have, in a folder that makes the path longer than
    // the shell takes; a folder named as the lyrics would be (no Explorer window).
    lyrics_.AddFolder(L"Folder Song.txt");
    for (const std::wstring& caption :
         {std::wstring(), L"2. " + std::wstring(250, L'y') + L" - Winamp", std::wstring(L"3. Folder Song - Winamp")}) {
        SCOPED_TRACE(::testing::PrintToString(caption.substr(0, 20)));
        if (!caption.empty()) ASSERT_TRUE(PlaySong(caption));
        orlisk_.ClickIcon();
        EXPECT_TRUE(orlisk_.Answers()) << "alive after a click";
    }

    std::this_thread::sleep_for(1s);
    std::vector<HWND> opened;
    for (HWND window : TopLevelWindows())
        if (::IsWindowVisible(window) && std::find(before.begin(), before.end(), window) == before.end() &&
            ProcessOf(window) != orlisk_.Process().Id())
            opened.push_back(window);
    EXPECT_TRUE(opened.empty()) << "opened a window of class "
                                << ::testing::PrintToString(opened.empty() ? L"" : ClassName(opened[0]));
    for (HWND window : opened) ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(orlisk_.VisibleDialogs().empty());
}

TEST_F(OrliskReliability, AnOverlongTitleWithAutoOnClosesTheOldLyricsAndOpensNothing) {
    const HWND first = StartWithFirstSongPlaying(L"0", L"1", 1, 10s);
    ASSERT_NE(first, nullptr);

    ASSERT_TRUE(PlaySong(L"2. " + HugeTitle() + L" - Winamp"));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 5s)) << "the tick saw the change";
    std::this_thread::sleep_for(2500ms);  // a tick more, which must not try again
    EXPECT_TRUE(orlisk_.Answers()) << "alive with Auto on";
    EXPECT_TRUE(NotepadWindows().empty());
}

TEST_F(OrliskReliability, ABurstOfClicksEndsWithOneNotepad) {
    const HWND first = StartWithFirstSongPlaying(L"1", L"0");
    ASSERT_NE(first, nullptr);

    const auto start = std::chrono::steady_clock::now();
    std::set<HWND> seen;
    for (int click = 0; click < 20; ++click) {
        orlisk_.ClickIcon();
        std::this_thread::sleep_for(30ms);
        const std::vector<HWND> now = NotepadWindows();
        seen.insert(now.begin(), now.end());
    }
    const std::vector<HWND> left = SettledNotepads(3s, 90s, &seen);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("20 clicks 30 ms apart: %zu Notepad windows seen, %zu left, settled after %lld ms\n", seen.size(), left.size(),
                static_cast<long long>(took) - 3000);
    ASSERT_EQ(left.size(), 1u) << "one Notepad of the lyrics, not one per click";
    EXPECT_EQ(left.front(), LyricsOf(kFirstSong));
    EXPECT_NE(left.front(), first) << "the clicks reopened the lyrics";
}

TEST_F(OrliskReliability, EditedLyricsAreAskedToCloseOnceAndNeverOpenedTwice) {
    const HWND edited = StartWithFirstSongPlaying(L"1", L"0");
    ASSERT_NE(edited, nullptr);
    ASSERT_TRUE(EditUnsaved(edited));

    for (int click = 0; click < 4; ++click) {
        orlisk_.ClickIcon();
        std::this_thread::sleep_for(300ms);
    }
    const std::vector<HWND> left = SettledNotepads(3s, 30s);
    EXPECT_EQ(SavePrompts(edited).size(), 1u) << "one \"save changes?\" question, not one per click";
    EXPECT_EQ(left, std::vector<HWND>{edited}) << "no second copy, read from disk without the edits";

    // The user does not save: the window goes, and the next click opens the lyrics again.
    ASSERT_TRUE(AnswerSavePrompt(edited, IDNO));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(edited); }, 5s));
    orlisk_.ClickIcon();
    EXPECT_TRUE(WaitFor([&] { return LyricsOf(kFirstSong) != nullptr; }, 10s));
}

}  // namespace
}  // namespace orlisk_e2e

int wmain(int argc, wchar_t** argv) { return orlisk_e2e::RunOrliskE2ETests(argc, argv); }
