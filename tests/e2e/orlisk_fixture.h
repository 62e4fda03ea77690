// What the end-to-end tests of Orlisk.exe with the plain stand-in Winamp share: a lyrics folder
// with two songs, the stand-in Winamp, Orlisk driven through its tray icon, and a clean desktop
// and registry before and after.
#pragma once

#include "tests/e2e/driven_orlisk.h"
#include "tests/e2e/orlisk_e2e_support.h"

#include <gtest/gtest.h>

#include <string>

namespace orlisk_e2e {

// How many open/close cycles the soak runs; --soak-cycles=N on the command line.
inline int& SoakCycles() {
    static int cycles = 1000;
    return cycles;
}

inline constexpr wchar_t kFirstSong[] = L"Artist - Song";
inline constexpr wchar_t kSecondSong[] = L"Other - Tune";

// The Notepad window of a song's lyrics, as Wine's Notepad captions it.
inline HWND NotepadOf(const std::wstring& title) { return ::FindWindowW(L"Notepad", (title + L".txt - Notepad").c_str()); }

// The Notepad of a song's lyrics, other than notThis, once it is ready for input: Orlisk waits for
// that before it handles its next click, and drops a click or menu command that comes sooner.
inline HWND ReadyNotepadOf(const std::wstring& title, HWND notThis = nullptr) {
    HWND notepad = nullptr;
    if (!WaitFor([&] { return (notepad = NotepadOf(title)) != nullptr && notepad != notThis; }, 15s)) return nullptr;
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(notepad));
    if (process) {
        ::WaitForInputIdle(process, 10000);
        ::CloseHandle(process);
    }
    return notepad;
}

// Winamp's caption for a title.
inline std::wstring WinampCaption(int position, const std::wstring& title) {
    return std::to_wstring(position) + L". " + title + L" - Winamp";
}

class OrliskFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Programs().orlisk.empty()) << "--orlisk=PATH is missing";
        ASSERT_FALSE(Programs().winamp.empty()) << "--winamp=PATH is missing";
        EndAllNotepads();
        DeleteSettings();
        lyrics_.AddLyrics(kFirstSong);
        lyrics_.AddLyrics(kSecondSong);
    }

    void TearDown() override {
        orlisk_.Stop();
        winamp_.Terminate();
        EndAllNotepads();
        DeleteSettings();
    }

    // The lyrics folder of the test, and "Start" and "Auto" as given ("0" or "1").
    void StoreSettings(const std::wstring& start, const std::wstring& automatic) {
        StoreSetting(L"Path", lyrics_.Path(true));
        StoreSetting(L"Start", start);
        StoreSetting(L"Auto", automatic);
    }

    bool StartWinamp(const std::wstring& caption) {
        return winamp_.Start(Programs().winamp, {caption}) &&
               WaitFor([&] { return !TopLevelWindows(L"LyricsTestWinamp", winamp_.Id()).empty(); }, 5s);
    }

    // Winamp's caption changes as it does when the song changes.
    bool PlaySong(const std::wstring& caption) {
        const auto windows = TopLevelWindows(L"LyricsTestWinamp", winamp_.Id());
        return !windows.empty() && SetText(windows.front(), caption);
    }

    LyricsFolder lyrics_;
    DrivenOrlisk orlisk_;
    ChildProcess winamp_;
};

// Orlisk under hostile and long use.
class OrliskReliability : public OrliskFixture {};

}  // namespace orlisk_e2e
