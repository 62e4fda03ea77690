// What a test does to another program's windows as a user would: clicks, keys, typed text. A
// message sent waits for the answer within a bound; a message posted returns at once, for what
// starts a modal loop (a box, a picker, a menu) that answers only when it ends.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

namespace lyrics::testing {

using namespace std::chrono_literals;

// Sends a message to another process's window; its answer, or nullopt when it gave none in time.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   std::chrono::milliseconds timeout = 5s);

// Presses a button as a click does, without waiting for what the click starts.
void Click(HWND button);
// Presses a button and waits until its owner has handled the press; false when it did not.
bool ClickAndWait(HWND button);
// Clicks the client area of window at (x, y) with the first or second mouse button.
void ClickAt(HWND window, int x, int y);
void RightClickAt(HWND window, int x, int y);
// Posts a key press (down and up) to window, as if typed while it had the focus.
void PressKey(HWND window, UINT virtualKey);
// Posts a typed character, as the keyboard gives it after a key press.
void TypeChar(HWND window, wchar_t typed);
// Replaces a control's text; false when the owner did not answer in time.
bool SetText(HWND window, const std::wstring& text);

}  // namespace lyrics::testing
