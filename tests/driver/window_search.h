// Another program's windows as a test finds and reads them from outside: top-level windows by
// process, class and caption, the controls inside them, the boxes they own, their texts (asked
// with WM_GETTEXT, the only way that reads another process's edit box) and where they stand.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace lyrics::testing {

using namespace std::chrono_literals;

// How long a test waits for a window a program is about to show.
inline constexpr std::chrono::milliseconds kWindowTimeout = 15s;

// Top-level windows in Z order, only those of the class (null: any) and process (0: any).
std::vector<HWND> TopLevelWindows(const wchar_t* className = nullptr, DWORD processId = 0);
// The first visible top-level window with exactly this caption, of the process (0: any).
HWND FindTopLevelWindow(const std::wstring& caption, DWORD processId = 0);
// The first top-level window of the class and process (0: any), or null.
HWND FirstWindowOf(const wchar_t* className, DWORD processId = 0);
// The visible boxes (class "#32770": message boxes, common dialogs) of a process.
std::vector<HWND> VisibleDialogsOf(DWORD processId);
// The visible box owned by owner, if one is shown.
HWND FindOwnedDialog(HWND owner);
// The windows of Wine's tray that stand for one icon each, wherever the tray put them.
std::vector<HWND> TrayIconWindows();

// The direct children of parent in Z order, which is their tab order.
std::vector<HWND> ChildWindows(HWND parent);
// The first direct child of the class (null: any) with exactly this caption (null: any).
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* caption = nullptr);
// The control of parent with that id, at any depth.
HWND FindDescendant(HWND parent, int id);
// Whether a direct child of parent shows exactly this text.
bool ShowsText(HWND parent, const std::wstring& text);

// Polls find() until it gives a window or the time is up (then null).
HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds timeout = kWindowTimeout);

// A window's text asked with WM_GETTEXT (bounded in time); empty when it did not answer.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
// Whether window is of the class (null: any), in any letter case as the system compares them.
bool IsOfClass(HWND window, const wchar_t* className);
int ControlId(HWND window);
LONG_PTR Style(HWND window);
// BM_GETCHECK of another process's button.
LRESULT CheckOf(HWND button);
// The window that has the keyboard focus in the thread that owns window.
HWND FocusedWindowOf(HWND window);
// The window rectangle of control in the client coordinates of parent.
RECT RectInParent(HWND control, HWND parent);

}  // namespace lyrics::testing
