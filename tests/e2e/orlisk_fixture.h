// What every end-to-end test of Orlisk.exe shares: the programs under test, a lyrics folder with
// two songs, the stand-in Winamp, Orlisk driven through its tray icon, Orlisk's registry key as
// the test's own, and a desktop without Notepads before and after.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/driver/file_bytes.h"
#include "tests/driver/notepad.h"
#include "tests/driver/orlisk_registry.h"
#include "tests/driver/registry.h"
#include "tests/e2e/driven_orlisk.h"

namespace orlisk_e2e {

using namespace lyrics::testing;

// Where the programs under test are; set by main from --orlisk=PATH, --winamp=PATH and, for the
// tests that register the stand-in media controls, --media=PATH.
struct ProgramPaths {
    std::wstring orlisk;
    std::wstring winamp;
    std::wstring media;
};
inline ProgramPaths& Programs() {
    static ProgramPaths paths;
    return paths;
}

// The main of an Orlisk end-to-end test program: gtest's own options and the programs' paths.
// The tests read other programs' windows in their own pixels, whatever the screen's DPI.
inline int RunOrliskE2ETests(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        for (auto [option, path] : {std::pair{L"--orlisk=", &Programs().orlisk}, std::pair{L"--winamp=", &Programs().winamp},
                                    std::pair{L"--media=", &Programs().media}})
            if (argument.starts_with(option)) *path = WindowsPath(argument.substr(std::wcslen(option)));
    }
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    return RUN_ALL_TESTS();
}

inline constexpr wchar_t kFirstSong[] = L"Artist - Song";
inline constexpr wchar_t kSecondSong[] = L"Other - Tune";
// Winamp's "next" button, as Winamp's main window takes it in WM_COMMAND.
inline constexpr WPARAM kWinampNext = 40048;

// Winamp's caption for a title.
inline std::wstring WinampCaption(int position, const std::wstring& title) {
    return std::to_wstring(position) + L". " + title + L" - Winamp";
}

// The Notepad window of a song's lyrics, or null.
inline HWND LyricsOf(const std::wstring& title) { return NotepadOf(title + L".txt"); }
// Waits for the lyrics of title to show; null when they did not within timeout.
inline HWND WaitForLyrics(const std::wstring& title, std::chrono::milliseconds timeout) {
    return WaitForNotepad(title + L".txt", timeout);
}
// The Notepad of a song's lyrics, other than notThis, once it is ready for input: Orlisk waits for
// that before it handles its next click, and drops a click or menu command that comes sooner.
inline HWND ReadyLyricsOf(const std::wstring& title, HWND notThis = nullptr, std::chrono::milliseconds timeout = 15s) {
    HWND notepad = nullptr;
    if (!WaitFor([&] { return (notepad = LyricsOf(title)) != nullptr && notepad != notThis; }, timeout)) return nullptr;
    WaitUntilReady(notepad, 10s);
    return notepad;
}
// Whether no Notepad opens within quiet.
inline bool NoNotepadFor(std::chrono::milliseconds quiet) {
    return !WaitFor([] { return !NotepadWindows().empty(); }, quiet);
}

// Orlisk's stored values.
inline bool StoreSetting(const wchar_t* name, const std::wstring& value) {
    return SetStringValue(OrliskSettingsKey(), name, value);
}
inline std::optional<std::wstring> StoredSetting(const wchar_t* name) { return StringValue(OrliskSettingsKey(), name); }
// "Path", "Size", "Start" and "Auto" as stored.
using StoredValues = std::array<std::optional<std::wstring>, 4>;
inline StoredValues StoredSettings() {
    return {StoredSetting(L"Path"), StoredSetting(L"Size"), StoredSetting(L"Start"), StoredSetting(L"Auto")};
}

class OrliskFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Programs().orlisk.empty()) << "--orlisk=PATH is missing";
        ASSERT_FALSE(Programs().winamp.empty()) << "--winamp=PATH is missing";
        EndAllNotepads();
        for (const wchar_t* song : {kFirstSong, kSecondSong})
            ASSERT_TRUE(lyrics_.AddFile(std::wstring(song) + L".txt", "Lyrics of a song\r\nfor the end-to-end tests\r\n"));
    }
    void TearDown() override {
        orlisk_.Stop();
        winamp_.End();
        EndAllNotepads();
    }

    // The lyrics folder of the test, and "Start" and "Auto" as given ("0" or "1").
    void StoreSettings(const std::wstring& start, const std::wstring& automatic) {
        StoreSetting(L"Path", LyricsPath(true));
        StoreSetting(L"Start", start);
        StoreSetting(L"Auto", automatic);
    }
    // Starts Orlisk over the settings stored; its settings window, or null (see DrivenOrlisk).
    HWND StartOrlisk() { return orlisk_.Start(Programs().orlisk); }
    // Stores the lyrics folder, "Start" and "Auto", starts the stand-in Winamp playing the first
    // song at position and then Orlisk; the Notepad of the song's lyrics once it is ready, or null
    // when Winamp, Orlisk or the lyrics did not come within timeout.
    HWND StartWithFirstSongPlaying(const std::wstring& start, const std::wstring& automatic, int position = 12,
                                   std::chrono::milliseconds timeout = 15s) {
        StoreSettings(start, automatic);
        if (!StartWinamp(WinampCaption(position, kFirstSong)) || !StartOrlisk()) return nullptr;
        const HWND lyrics = ReadyLyricsOf(kFirstSong, nullptr, timeout);
        // Orlisk sees the Notepad ready a moment after the test does, by its own probe; a click or
        // menu command that comes sooner is dropped, as during a walk. The tests go on after it.
        if (lyrics) std::this_thread::sleep_for(500ms);
        return lyrics;
    }
    // Changes the song as change does, then expects next's lyrics to show and old's to go, each
    // within 3 s, and prints how long they took after label; *shown gets next's Notepad.
    void ExpectSongChangeFollowed(const std::function<bool()>& change, const std::wstring& next, HWND old, const char* label,
                                  HWND* shown = nullptr) {
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

    // The stand-in Winamp: a window captioned so, or with --winamp, Winamp's own (see fake_winamp).
    bool StartWinamp(const std::wstring& caption) { return StartWinamp(std::vector<std::wstring>{caption}); }
    bool StartWinamp(const std::vector<std::wstring>& arguments) {
        return winamp_.Start(Programs().winamp, arguments) && WaitFor([&] { return WinampWindow() != nullptr; }, 5s);
    }
    HWND WinampWindow() const {
        if (!winamp_.IsRunning()) return nullptr;
        for (HWND window : TopLevelWindows(nullptr, winamp_.Id()))
            if (::IsWindowVisible(window)) return window;
        return nullptr;
    }
    // Winamp's caption changes as it does when the song changes.
    bool PlaySong(const std::wstring& caption) {
        const HWND window = WinampWindow();
        return window && SetText(window, caption);
    }
    // Winamp's "next" button.
    bool PressNext() const { return ::PostMessageW(WinampWindow(), WM_COMMAND, kWinampNext, 0) != FALSE; }
    // As Winamp's close box does: the program ends.
    bool CloseWinamp() {
        ::PostMessageW(WinampWindow(), WM_CLOSE, 0, 0);
        return winamp_.WaitForExit(5s);
    }
    // What the stand-in answers to IPC_GETVERSION, or 0 when it does not answer.
    LRESULT WinampVersion() const { return SendBounded(WinampWindow(), WM_USER, 0, 0, 2s).value_or(0); }

    // The lyrics folder as Orlisk stores it: with or without the trailing "\".
    std::wstring LyricsPath(bool trailingBackslash) const { return trailingBackslash ? lyrics_.Path() + L"\\" : lyrics_.Path(); }

    RegistryKeyScope settingsKey_{OrliskKey()};
    ScratchFolder lyrics_{L"orlisk-e2e"};
    DrivenOrlisk orlisk_;
    StartedProcess winamp_;
};

// Orlisk under hostile and long use.
class OrliskReliability : public OrliskFixture {};

}  // namespace orlisk_e2e
