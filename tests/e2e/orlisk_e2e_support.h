// What the Orlisk end-to-end tests need of Windows: the programs they start (ended when the test
// ends, whatever happens), the windows they look for, the registry values Orlisk keeps, and a
// lyrics folder of their own. Every wait is bounded.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/driver/driver_support.h"

namespace orlisk_e2e {

using namespace std::chrono_literals;

// Where the programs under test are; set by main from the command line.
struct ProgramPaths {
    std::wstring orlisk;
    std::wstring winamp;
};
ProgramPaths& Programs();

// The main of an Orlisk end-to-end test program: gtest's own options, --orlisk=PATH and
// --winamp=PATH into Programs(), and every other argument to otherArgument. The tests run with
// this driver reading other programs' windows in their own pixels, whatever the screen's DPI,
// and with the windows of the programs it starts unmanaged.
int RunOrliskE2ETests(int argc, wchar_t** argv, const std::function<void(const std::wstring&)>& otherArgument = {});

using lyrics::testing::WaitFor;
using lyrics::testing::WindowsPath;

// A program the test started; terminated when the object goes, if it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool Start(const std::wstring& exe, const std::vector<std::wstring>& arguments = {});
    bool IsRunning() const;
    // Waits for the end; true when it ended within timeout.
    bool WaitForExit(std::chrono::milliseconds timeout) const;
    std::optional<DWORD> ExitCode() const;
    DWORD Id() const noexcept { return id_; }
    void Terminate();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Top-level windows, in Z order, optionally only those of one class or one process.
std::vector<HWND> TopLevelWindows(const wchar_t* className = nullptr, DWORD processId = 0);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
DWORD ProcessOf(HWND window);

// The windows of Wine's tray that stand for one icon each, wherever the tray put them.
std::vector<HWND> TrayIconWindows();

// Notepad's windows, and ending every Notepad the tests caused.
std::vector<HWND> NotepadWindows();
void EndAllNotepads();

// A child control of parent by class and caption (nullptr: any caption).
HWND FindControl(HWND parent, const wchar_t* className, const wchar_t* caption);
// BM_GETCHECK, BM_CLICK, WM_SETTEXT, WM_GETTEXT across processes, bounded in time.
LRESULT CheckOf(HWND button);
bool Click(HWND button);
bool SetText(HWND window, const std::wstring& text);
std::wstring TextOf(HWND window);

// Orlisk's values under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Orlisk\Settings.
void DeleteSettings();
void StoreSetting(const wchar_t* name, const std::wstring& value);
std::optional<std::wstring> StoredSetting(const wchar_t* name);

// For the life of the object, windows of programs started from now on are not handed to an X
// window manager. On a bare X server there is none, and Wine then waits two seconds for one to
// acknowledge every window that closes, which would make each Notepad take two seconds to go
// (Windows closes it at once). The earlier setting comes back when the object goes.
class UnmanagedWindows {
public:
    UnmanagedWindows();
    UnmanagedWindows(const UnmanagedWindows&) = delete;
    UnmanagedWindows& operator=(const UnmanagedWindows&) = delete;
    ~UnmanagedWindows();

private:
    std::optional<std::wstring> previous_;
};

// For the life of the object, programs started from now on see a screen of the given DPI.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi);
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    ~ScreenDpi();

private:
    std::optional<DWORD> previous_;
};

// Orlisk's settings window once the program has made it; null when it has not within timeout.
HWND WaitForSettingsWindow(const ChildProcess& orlisk, std::chrono::milliseconds timeout);
// Ends Orlisk as its "Exit Program" button does, by force when it has not ended within 5 s.
void EndOrlisk(ChildProcess& orlisk);
// The Notepad window of a title's lyrics file, or null.
HWND LyricsNotepad(const std::wstring& title);

// A fresh folder of lyrics files under the temporary folder, removed with the object.
class LyricsFolder {
public:
    LyricsFolder();
    LyricsFolder(const LyricsFolder&) = delete;
    LyricsFolder& operator=(const LyricsFolder&) = delete;
    ~LyricsFolder();

    void AddLyrics(const std::wstring& title) const;
    // A folder inside, named as the caller says ("Folder Song.txt").
    void AddFolder(const std::wstring& name) const;
    // The folder as Orlisk stores it: a Windows path, with or without the trailing "\".
    std::wstring Path(bool trailingBackslash) const;

private:
    std::filesystem::path folder_;
};

}  // namespace orlisk_e2e
