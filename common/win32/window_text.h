// A window's or control's whole text: read however long, or focused and selected whole.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics {

// The text of window; empty for a window without text or no window at all.
std::wstring WindowText(HWND window);

// Gives the edit box the focus with its whole text selected, so that what the user types next
// replaces the text instead of adding to it.
void FocusAndSelectAll(HWND edit);

}  // namespace lyrics
