// WindowText: a window's or control's whole text, however long.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics {

// The text of window; empty for a window without text or no window at all.
std::wstring WindowText(HWND window);

}  // namespace lyrics
