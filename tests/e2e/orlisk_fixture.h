// What every end-to-end test of Orlisk.exe shares: the programs under test, a lyrics folder with
// two songs, the stand-in Winamp, Orlisk driven through its tray icon, Orlisk's registry key as
// the test's own, and a desktop without Notepads before and after.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/driver/driver_support.h"
#include "tests/driver/file_bytes.h"
#include "tests/driver/notepad.h"
#include "tests/driver/orlisk_registry.h"
#include "tests/driver/registry.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_input.h"
#include "tests/driver/window_search.h"
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
ProgramPaths& Programs();

// The main of an Orlisk end-to-end test program: gtest's own options and the programs' paths.
// The tests read other programs' windows in their own pixels, whatever the screen's DPI.
int RunOrliskE2ETests(int argc, wchar_t** argv);

inline constexpr wchar_t kFirstSong[] = L"Artist - Song";
inline constexpr wchar_t kSecondSong[] = L"Other - Tune";

// Winamp's caption for a title.
std::wstring WinampCaption(int position, const std::wstring& title);

// The Notepad window of a song's lyrics, or null.
HWND LyricsOf(const std::wstring& title);
// Waits for the lyrics of title to show; null when they did not within timeout.
HWND WaitForLyrics(const std::wstring& title, std::chrono::milliseconds timeout);
// The Notepad of a song's lyrics, other than notThis, once it is ready for input: Orlisk waits for
// that before it handles its next click, and drops a click or menu command that comes sooner.
HWND ReadyLyricsOf(const std::wstring& title, HWND notThis = nullptr, std::chrono::milliseconds timeout = 15s);

// Orlisk's stored values.
bool StoreSetting(const wchar_t* name, const std::wstring& value);
std::optional<std::wstring> StoredSetting(const wchar_t* name);

class OrliskFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The lyrics folder of the test, and "Start" and "Auto" as given ("0" or "1").
    void StoreSettings(const std::wstring& start, const std::wstring& automatic);
    // Starts Orlisk over the settings stored; its settings window, or null (see DrivenOrlisk).
    HWND StartOrlisk() { return orlisk_.Start(Programs().orlisk); }
    // Stores the lyrics folder, "Start" and "Auto", starts the stand-in Winamp playing the first
    // song at position and then Orlisk; the Notepad of the song's lyrics once it is ready, or null
    // when Winamp, Orlisk or the lyrics did not come within timeout.
    HWND StartWithFirstSongPlaying(const std::wstring& start, const std::wstring& automatic, int position = 12,
                                   std::chrono::milliseconds timeout = 15s);
    // Changes the song as change does, then expects next's lyrics to show and old's to go, each
    // within 3 s, and prints how long they took after label; *shown gets next's Notepad.
    void ExpectSongChangeFollowed(const std::function<bool()>& change, const std::wstring& next, HWND old, const char* label,
                                  HWND* shown = nullptr);

    // The stand-in Winamp: a window captioned so, or with --winamp, Winamp's own (see fake_winamp).
    bool StartWinamp(const std::wstring& caption) { return StartWinamp(std::vector<std::wstring>{caption}); }
    bool StartWinamp(const std::vector<std::wstring>& arguments);
    HWND WinampWindow() const;
    // Winamp's caption changes as it does when the song changes.
    bool PlaySong(const std::wstring& caption);
    // As Winamp's close box does: the program ends.
    bool CloseWinamp();
    // What the stand-in answers to IPC_GETVERSION, or 0 when it does not answer.
    LRESULT WinampVersion() const;

    // The lyrics folder as Orlisk stores it: with or without the trailing "\".
    std::wstring LyricsPath(bool trailingBackslash) const;

    RegistryKeyScope settingsKey_{OrliskKey()};
    ScratchFolder lyrics_{L"orlisk-e2e"};
    DrivenOrlisk orlisk_;
    StartedProcess winamp_;
};

// Orlisk under hostile and long use.
class OrliskReliability : public OrliskFixture {};

}  // namespace orlisk_e2e
