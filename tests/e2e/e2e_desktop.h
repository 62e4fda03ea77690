// What an end-to-end driver needs to work another program's windows from outside, as a user would:
// start the program, find its windows, type into boxes, press buttons, read and answer message
// boxes, see where the keyboard focus is. Every wait has a limit; every handle is owned.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/unique_handle.h"
#include "tests/driver/driver_support.h"

namespace e2e {

using namespace std::chrono_literals;
inline constexpr std::chrono::milliseconds kWindowTimeout = 15s;

// A program started by the driver; ended (and its handles closed) when this goes.
class Program {
public:
    Program() = default;
    Program(Program&&) = default;
    Program& operator=(Program&&) = default;
    ~Program() { End(); }

    // Starts exe with its own folder as the working folder; false when it cannot be started.
    bool Start(const std::wstring& exe);
    // Ends the program if it still runs and waits for it to go.
    void End();
    bool WaitForExit(std::chrono::milliseconds timeout) const;
    // The exit code; STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

    HANDLE Process() const noexcept { return process_.get(); }
    DWORD ProcessId() const noexcept { return processId_; }

private:
    lyrics::UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

// The environment variable's value, or empty text.
std::wstring EnvironmentText(const wchar_t* name);

using lyrics::testing::WindowsPath;

// A window's text asked with WM_GETTEXT, which works for controls of other processes too.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
int ControlId(HWND window);
LONG_PTR Style(HWND window);

// Polls find() until it gives a window or the time is up (then null).
HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds timeout = kWindowTimeout);
// Polls until done() or the time is up; returns done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kWindowTimeout);

// A visible top-level window with exactly this caption, of process processId (0: any process).
HWND FindTopLevelWindow(const std::wstring& caption, DWORD processId = 0);
// The visible dialog (a message box, a common dialog) owned by owner, if one is shown.
HWND FindOwnedDialog(HWND owner);
// The direct children of parent in Z order, which is their tab order.
std::vector<HWND> ChildWindows(HWND parent);
// The control of parent with that id, at any depth.
HWND FindDescendant(HWND parent, int id);

// The window that has the keyboard focus in the thread that owns window.
HWND FocusedWindowOf(HWND window);
// The window rectangle of control in the client coordinates of parent.
RECT RectInParent(HWND control, HWND parent);

// Presses a button the way a click does, without waiting for what the click starts.
void Click(HWND button);
// Replaces a control's text; false when the owner did not answer in time.
bool SetText(HWND window, const std::wstring& text);
// Posts a key press (down and up) to window, as if typed while it had the focus.
void PressKey(HWND window, UINT virtualKey);
// Clicks the client area of window at (x, y), which gives an edit box the focus.
void ClickAt(HWND window, int x, int y);

enum class IconColour { None, Red, Blue, Other };

struct MessageBoxView {
    HWND box = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // control ids, in tab order (IDOK, IDYES, IDNO ...)
    int defaultButton = 0;
    IconColour icon = IconColour::None;
};

// Reads a message box shown on screen: caption, text, buttons and the colour of its icon (red for
// the critical icon, blue for the information icon).
MessageBoxView ReadMessageBox(HWND box);
// Presses the box's button with that id and waits for the box to go; false if it stays.
bool AnswerMessageBox(HWND box, int buttonId);

// Closes the top-level windows of another program with WM_CLOSE, then ends its process.
void CloseProgramOfWindow(HWND window);

// Whole-file helpers for fixtures.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool ReadFileBytes(const std::wstring& path, std::string& bytes);
// Text in the ANSI code page, as Windows programs write 8-bit text files.
std::string AnsiBytes(const std::wstring& text);
// Names (without folder) of the files in folder that match pattern ("UnMatch *.txt").
std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern);

}  // namespace e2e
