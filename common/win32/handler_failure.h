// What a window does with an exception that escapes one of its handlers: it tells the user, in a
// box with the program's name, what could not be finished and why, and goes on. The exception
// never unwinds into the system's code that called the window procedure, and never passes unseen.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace lyrics {

// What was under way when the message failed, in the user's words: a command names its control
// by its caption, a timer is "the timer"; any other message by its number.
std::wstring FailedAction(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The box's text: the action, and the failure as the exception names it.
std::wstring HandlerFailureText(std::wstring_view action, const std::exception_ptr& failure);

// Shows the box (critical icon, OK) owned by window, captioned programName. While one such box is
// up, a failure of another message (a timer that keeps failing) is not stacked on top of it.
void ReportHandlerFailure(HWND window, const wchar_t* programName, UINT message, WPARAM wParam, LPARAM lParam,
                          const std::exception_ptr& failure) noexcept;

}  // namespace lyrics
