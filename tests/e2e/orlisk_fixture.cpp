#include "tests/e2e/orlisk_fixture.h"

#include <cstdio>
#include <thread>

namespace orlisk_e2e {

ProgramPaths& Programs() {
    static ProgramPaths paths;
    return paths;
}

int RunOrliskE2ETests(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument.starts_with(L"--orlisk=")) Programs().orlisk = WindowsPath(argument.substr(9));
        if (argument.starts_with(L"--winamp=")) Programs().winamp = WindowsPath(argument.substr(9));
        if (argument.starts_with(L"--media=")) Programs().media = WindowsPath(argument.substr(8));
    }
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    return RUN_ALL_TESTS();
}

std::wstring WinampCaption(int position, const std::wstring& title) {
    return std::to_wstring(position) + L". " + title + L" - Winamp";
}

HWND LyricsOf(const std::wstring& title) { return NotepadOf(title + L".txt"); }

HWND WaitForLyrics(const std::wstring& title, std::chrono::milliseconds timeout) {
    return WaitForNotepad(title + L".txt", timeout);
}

HWND ReadyLyricsOf(const std::wstring& title, HWND notThis, std::chrono::milliseconds timeout) {
    HWND notepad = nullptr;
    if (!WaitFor([&] { return (notepad = LyricsOf(title)) != nullptr && notepad != notThis; }, timeout)) return nullptr;
    WaitUntilReady(notepad, 10s);
    return notepad;
}

bool StoreSetting(const wchar_t* name, const std::wstring& value) { return SetStringValue(OrliskSettingsKey(), name, value); }

std::optional<std::wstring> StoredSetting(const wchar_t* name) { return StringValue(OrliskSettingsKey(), name); }

void OrliskFixture::SetUp() {
    ASSERT_FALSE(Programs().orlisk.empty()) << "--orlisk=PATH is missing";
    ASSERT_FALSE(Programs().winamp.empty()) << "--winamp=PATH is missing";
    EndAllNotepads();
    const std::string lyrics = "Lyrics of a song\r\nfor the end-to-end tests\r\n";
    ASSERT_TRUE(lyrics_.AddFile(std::wstring(kFirstSong) + L".txt", lyrics));
    ASSERT_TRUE(lyrics_.AddFile(std::wstring(kSecondSong) + L".txt", lyrics));
}

void OrliskFixture::TearDown() {
    orlisk_.Stop();
    winamp_.End();
    EndAllNotepads();
}

void OrliskFixture::StoreSettings(const std::wstring& start, const std::wstring& automatic) {
    StoreSetting(L"Path", LyricsPath(true));
    StoreSetting(L"Start", start);
    StoreSetting(L"Auto", automatic);
}

HWND OrliskFixture::StartWithFirstSongPlaying(const std::wstring& start, const std::wstring& automatic, int position,
                                              std::chrono::milliseconds timeout) {
    StoreSettings(start, automatic);
    if (!StartWinamp(WinampCaption(position, kFirstSong)) || !StartOrlisk()) return nullptr;
    const HWND lyrics = ReadyLyricsOf(kFirstSong, nullptr, timeout);
    // Orlisk sees the Notepad ready a moment after the test does, by its own probe; a click or menu
    // command that comes sooner is dropped, as during a walk. The tests that follow start after it.
    if (lyrics) std::this_thread::sleep_for(500ms);
    return lyrics;
}

void OrliskFixture::ExpectSongChangeFollowed(const std::function<bool()>& change, const std::wstring& next, HWND old,
                                             const char* label, HWND* shown) {
    ASSERT_TRUE(change()) << label;
    const auto changed = std::chrono::steady_clock::now();
    const HWND opened = WaitForLyrics(next, 3s);
    EXPECT_NE(opened, nullptr) << label << ": the new song's lyrics open within 3 seconds";
    const int openedAfter = MillisecondsSince(changed);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(old); }, 3s)) << label << ": and the old ones close";
    const int closedAfter = MillisecondsSince(changed);
    EXPECT_LE(closedAfter, 3000) << label;
    std::printf("%s: new lyrics after %d ms, old lyrics gone after %d ms\n", label, openedAfter, closedAfter);
    if (shown) *shown = opened;
}

bool OrliskFixture::StartWinamp(const std::vector<std::wstring>& arguments) {
    return winamp_.Start(Programs().winamp, arguments) && WaitFor([&] { return WinampWindow() != nullptr; }, 5s);
}

HWND OrliskFixture::WinampWindow() const {
    if (!winamp_.IsRunning()) return nullptr;
    for (HWND window : TopLevelWindows(nullptr, winamp_.Id()))
        if (::IsWindowVisible(window)) return window;
    return nullptr;
}

bool OrliskFixture::PlaySong(const std::wstring& caption) {
    const HWND window = WinampWindow();
    return window && SetText(window, caption);
}

bool OrliskFixture::CloseWinamp() {
    ::PostMessageW(WinampWindow(), WM_CLOSE, 0, 0);
    return winamp_.WaitForExit(5s);
}

LRESULT OrliskFixture::WinampVersion() const { return SendBounded(WinampWindow(), WM_USER, 0, 0, 2s).value_or(0); }

std::wstring OrliskFixture::LyricsPath(bool trailingBackslash) const {
    return trailingBackslash ? lyrics_.Path() + L"\\" : lyrics_.Path();
}

}  // namespace orlisk_e2e
