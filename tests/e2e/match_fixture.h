// What every end-to-end test of Match.exe shares: the real program under Wine, copied with its
// help file into a scratch folder (so the lists each run writes beside it land there and nowhere
// else), a lyrics folder and playlists made once, and Match's window worked as a user would.
//
// Environment (set by CTest): MATCH_EXE, the built Match.exe; MATCH_E2E_WORK, a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "match/win32/form_layout.h"
#include "tests/driver/driver_support.h"
#include "tests/driver/file_bytes.h"
#include "tests/driver/message_box.h"
#include "tests/driver/notepad.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_input.h"
#include "tests/driver/window_search.h"

namespace match_e2e {

using namespace lyrics::testing;
using namespace lyrics::match::win32;

inline constexpr wchar_t kCaption[] = L"Pellanor";
inline constexpr wchar_t kListPattern[] = L"UnMatch *.txt";

struct Workspace {
    std::wstring folder;        // Match.exe's folder
    std::wstring exe;           // the copy of Match.exe
    std::wstring lyricsFolder;  // a lyrics folder (its name has a space): Alpha, BETA, Gamma
    std::wstring playlists;     // Mix.m3u, Loud.M3U, Mix.txt (alpha, Beta, Delta Café); Short.b4s
};
const Workspace& Work();

// "#EXTINF:<seconds>,<title>" and a file line per title, CR LF throughout, in the ANSI code page.
std::string M3u(const std::vector<std::pair<int, std::wstring>>& entries);
// The names an unmatch list written between two moments may have, one per second.
std::set<std::wstring> ListNamesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to);
// The unmatch list of a run of three titles against three text files that leaves one of each.
std::wstring UnmatchListText(const std::wstring& playlist, const std::wstring& length, const std::wstring& titleLeft,
                             const std::wstring& folder, const std::wstring& fileLeft);
// A file of Match's folder and of the playlists' folder, by name.
inline std::wstring InWork(const std::wstring& name) { return Work().folder + L"\\" + name; }
inline std::wstring Playlist(const std::wstring& name) { return Work().playlists + L"\\" + name; }

class MatchProgram : public ::testing::Test {
public:
    static void SetUpTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;

    void StartMatch();
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }
    void Type(int id, const std::wstring& text) { ASSERT_TRUE(SetText(Control(id), text)); }
    void TypePaths(const std::wstring& folder, const std::wstring& playlist) {
        Type(kIdTxtBrowse, folder);
        Type(kIdTxtOpen, playlist);
    }
    HWND WaitForBox(std::chrono::milliseconds timeout = kWindowTimeout) const;
    // No box shows up for a while: what the user sees when a press does nothing.
    bool NoBoxFor(std::chrono::milliseconds quiet) const { return !WaitForBox(quiet); }
    bool FocusReaches(int id) const;

    // Presses Match and answers the input-check box it must bring; checks the box and the focus.
    void ExpectInputCheck(const std::wstring& message, int focusedBox);
    void ExpectInvalidBox(const std::wstring& message, int focusedBox);
    // Runs a match that passes the check; returns the prompt box and the list's name.
    HWND RunToPrompt(std::wstring& listName);
    // Presses Match for a run that must fail: one critical box captioned "Match" with only OK, and
    // after it no offer and no list. Returns the box's text ("" when no box came).
    std::wstring FailedRunsMessage();
    // The Notepad showing the file, remembered so that it is closed at the end of the test.
    HWND WaitForNotepadOf(const std::wstring& fileName, std::chrono::milliseconds timeout = kWindowTimeout);

    StartedProcess match_;
    HWND window_ = nullptr;
    std::vector<HWND> openedNotepads_;
};

}  // namespace match_e2e
