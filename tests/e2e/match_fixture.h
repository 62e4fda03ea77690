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
#include "tests/driver/file_bytes.h"
#include "tests/driver/notepad.h"

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
inline Workspace& Work() {
    static Workspace work;
    return work;
}
// A file of Match's folder and of the playlists' folder, by name.
inline std::wstring InWork(const std::wstring& name) { return Work().folder + L"\\" + name; }
inline std::wstring Playlist(const std::wstring& name) { return Work().playlists + L"\\" + name; }

// "#EXTINF:<seconds>,<title>" and a file line per title, CR LF throughout, in the ANSI code page.
inline std::string M3u(const std::vector<std::pair<int, std::wstring>>& entries) {
    std::wstring text = L"#EXTM3U\r\n";
    for (const auto& [seconds, title] : entries)
        text += L"#EXTINF:" + std::to_wstring(seconds) + L"," + title + L"\r\nC:\\Music\\" + title + L".mp3\r\n";
    return AnsiBytes(text);
}

// The names an unmatch list written between two moments may have, one per second.
inline std::set<std::wstring> ListNamesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
    std::set<std::wstring> names;
    FILETIME start{}, end{};
    ::SystemTimeToFileTime(&from, &start);
    ::SystemTimeToFileTime(&to, &end);
    ULARGE_INTEGER at{{start.dwLowDateTime, start.dwHighDateTime}};
    const ULARGE_INTEGER last{{end.dwLowDateTime, end.dwHighDateTime}};
    for (at.QuadPart -= at.QuadPart % 10'000'000; at.QuadPart <= last.QuadPart; at.QuadPart += 10'000'000) {
        const FILETIME moment{at.LowPart, at.HighPart};
        SYSTEMTIME t{};
        ::FileTimeToSystemTime(&moment, &t);
        wchar_t name[64];
        swprintf(name, 64, L"UnMatch %02u-%02u-%04u %02u.%02u.%02u.txt", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute,
                 t.wSecond);
        names.insert(name);
    }
    return names;
}

// The unmatch list of a run of three titles against three text files that leaves one of each.
inline std::wstring UnmatchListText(const std::wstring& playlist, const std::wstring& length, const std::wstring& titleLeft,
                                    const std::wstring& folder, const std::wstring& fileLeft) {
    return L"Playlist titles which DO NOT have matching file name...\r\n\r\nPlaylist Name = \"" + playlist +
           L"\" with 3 titles.\r\nPlaylist Length = " + length + L" (hh:mm:ss)\r\n\r\n" + titleLeft +
           L"\r\n\r\n\r\nFiles which DO NOT have matching Playlist titles...\r\n\r\nLyrics Folder = \"" + folder +
           L"\" with 3 text files.\r\n\r\n" + fileLeft + L"\r\n";
}

class MatchProgram : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        Workspace& work = Work();
        const std::wstring built = WindowsPath(EnvironmentText(L"MATCH_EXE"));
        work.folder = WindowsPath(EnvironmentText(L"MATCH_E2E_WORK"));
        if (built.empty() || work.folder.empty()) return;
        work.exe = InWork(L"Match.exe");
        work.lyricsFolder = InWork(L"Lyrics Folder");
        work.playlists = InWork(L"Playlists");
        for (const std::wstring& folder : {work.folder, work.lyricsFolder, work.playlists})
            ::CreateDirectoryW(folder.c_str(), nullptr);
        ::CopyFileW(built.c_str(), work.exe.c_str(), FALSE);
        const std::wstring help = built.substr(0, built.find_last_of(L'\\')) + L"\\Match Help.txt";
        ::CopyFileW(help.c_str(), InWork(L"Match Help.txt").c_str(), FALSE);
        for (const wchar_t* name : {L"Alpha.txt", L"BETA.TXT", L"Gamma.txt", L"cover.jpg"})
            WriteFileBytes(work.lyricsFolder + L"\\" + name, "la la la\r\n");
        const std::string mix = M3u({{3600, L"alpha"}, {120, L"Beta"}, {5, L"Delta Caf\u00e9"}});
        for (const wchar_t* name : {L"Mix.m3u", L"Loud.M3U", L"Mix.txt"}) WriteFileBytes(Playlist(name), mix);
        WriteFileBytes(Playlist(L"Short.b4s"), "<?xml version=\"1.0\" encoding='UTF-8' standalone=\"yes\"?>\r\n<WinampXML>\r\n");
    }

protected:
    void SetUp() override {
        ASSERT_FALSE(EnvironmentText(L"DISPLAY").empty()) << "no X display: run under scripts/wine-env";
        ASSERT_FALSE(Work().exe.empty()) << "MATCH_EXE and MATCH_E2E_WORK must name Match.exe and a scratch folder";
        DeleteFilesMatching(Work().folder, kListPattern);
        StartMatch();
    }
    void TearDown() override {
        for (HWND notepad : openedNotepads_)
            if (::IsWindow(notepad)) EndProcess(ProcessOf(notepad));
        match_.End();
    }

    void StartMatch() {
        ASSERT_TRUE(match_.Start(Work().exe, {}, Work().folder)) << "cannot start " << ::testing::PrintToString(Work().exe);
        match_.WaitForInputIdle(kWindowTimeout);
        window_ = WaitForWindow([&] { return FindTopLevelWindow(kCaption, match_.Id()); });
        ASSERT_NE(window_, nullptr) << "no window captioned Pellanor";
    }
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }
    void Type(int id, const std::wstring& text) { ASSERT_TRUE(SetText(Control(id), text)); }
    void TypePaths(const std::wstring& folder, const std::wstring& playlist) {
        Type(kIdTxtBrowse, folder);
        Type(kIdTxtOpen, playlist);
    }

    HWND WaitForBox(std::chrono::milliseconds timeout = kWindowTimeout) const {
        return WaitForWindow([&] { return FindOwnedDialog(window_); }, timeout);
    }
    // No box shows up for a while: what the user sees when a press does nothing.
    bool NoBoxFor(std::chrono::milliseconds quiet) const { return !WaitForBox(quiet); }
    bool FocusReaches(int id) const {
        return WaitFor([&] { return FocusedWindowOf(window_) == Control(id); }, 5s);
    }

    // Presses Match and answers the input-check box it must bring; checks the box and the focus.
    void ExpectInputCheck(const std::wstring& message, int focusedBox) {
        Click(Control(kIdCmdMatch));
        ExpectInvalidBox(message, focusedBox);
    }
    void ExpectInvalidBox(const std::wstring& message, int focusedBox) {
        const HWND box = WaitForBox();
        ASSERT_NE(box, nullptr) << "no message box for " << ::testing::PrintToString(message);
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, L"Invalid");
        EXPECT_EQ(view.text, message);
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(view.icon, IconColour::Red) << "the critical icon";
        ASSERT_TRUE(AnswerMessageBox(box, IDOK));
        EXPECT_TRUE(FocusReaches(focusedBox)) << "focus after " << ::testing::PrintToString(message);
        EXPECT_TRUE(NoBoxFor(400ms)) << "a second box after " << ::testing::PrintToString(message);
    }
    // Runs a match that passes the check; returns the prompt box and the list's name.
    HWND RunToPrompt(std::wstring& listName) {
        SYSTEMTIME before{}, after{};
        ::GetLocalTime(&before);
        Click(Control(kIdCmdMatch));
        const HWND box = WaitForBox();
        ::GetLocalTime(&after);
        const std::vector<std::wstring> lists = FilesMatching(Work().folder, kListPattern);
        EXPECT_EQ(lists.size(), 1u) << "one list beside Match.exe";
        if (lists.size() == 1) {
            listName = lists[0];
            EXPECT_EQ(ListNamesBetween(before, after).count(listName), 1u)
                << "named after the time of the run: " << ::testing::PrintToString(listName);
        }
        return box;
    }
    // Presses Match for a run that must fail: one critical box captioned "Match" with only OK, and
    // after it no offer and no list. Returns the box's text ("" when no box came).
    std::wstring FailedRunsMessage() {
        Click(Control(kIdCmdMatch));
        const HWND box = WaitForBox();
        EXPECT_NE(box, nullptr) << "a failure is reported in a box, never passed over or left hanging";
        if (!box) return {};
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, L"Match");
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(view.icon, IconColour::Red);
        EXPECT_TRUE(AnswerMessageBox(box, IDOK));
        EXPECT_TRUE(NoBoxFor(500ms)) << "no offer after a failure";
        EXPECT_TRUE(FilesMatching(Work().folder, kListPattern).empty()) << "no list from a failed run";
        return view.text;
    }
    // The Notepad showing the file, remembered so that it is closed at the end of the test.
    HWND WaitForNotepadOf(const std::wstring& fileName, std::chrono::milliseconds timeout = kWindowTimeout) {
        const HWND notepad = WaitForNotepad(fileName, timeout);
        if (notepad) openedNotepads_.push_back(notepad);
        return notepad;
    }

    StartedProcess match_;
    HWND window_ = nullptr;
    std::vector<HWND> openedNotepads_;
};

}  // namespace match_e2e
