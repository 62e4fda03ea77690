// What both programs do around their main window: the user-interface thread's set-up for the
// program's life, and the message loop that gives the window the keyboard handling of a dialog
// (Tab between controls, Enter for the default button, Esc for the cancel one).
#pragma once

#include <windows.h>

#include "common/win32/com_apartment.h"

namespace lyrics {

// The thread's COM apartment, which the shell's pickers need, and the standard controls' classes.
class UiThread {
public:
    UiThread() noexcept;

private:
    ComApartment com_;
};

// Hands msg to window's dialog keys when it is meant for the window or one of its controls and
// the window is shown; true when they used it.
bool TakeDialogKey(HWND window, MSG& msg);

// Runs the thread's messages, window's dialog keys first, until WM_QUIT; answers its exit code.
int RunMessageLoop(HWND window);

}  // namespace lyrics
