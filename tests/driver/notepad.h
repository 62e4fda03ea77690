// Wine's Notepad as a test sees it: its windows, captioned "NAME - Notepad" after the file it
// shows, the text in its edit box, its "save changes?" question, and ending every Notepad.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/driver/window_search.h"

namespace lyrics::testing {

// Every Notepad window on the desktop.
std::vector<HWND> NotepadWindows();
// The Notepad window showing a file of that name ("Match Help.txt"), or null.
HWND NotepadOf(const std::wstring& fileName);
HWND WaitForNotepad(const std::wstring& fileName, std::chrono::milliseconds timeout = kWindowTimeout);
// Waits until the Notepad's program waits for input; false when it did not within timeout.
bool WaitUntilReady(HWND notepad, std::chrono::milliseconds timeout);

// The edit box that holds the file's text, and that text.
HWND EditOf(HWND notepad);
std::wstring NotepadText(HWND notepad);
// Whether the text was edited since it was read (EM_GETMODIFY).
bool IsEdited(HWND notepad);

// Asks the Notepad to close, as its close box does; it may ask whether to save first.
void AskToClose(HWND notepad);
// The "save changes?" boxes the Notepad shows.
std::vector<HWND> SavePrompts(HWND notepad);
// Answers the Notepad's one save question with the button (IDNO: do not save); false when there
// was none or it stayed.
bool AnswerSavePrompt(HWND notepad, int buttonId);

// Ends every Notepad's program and waits (bounded) until no Notepad window is left.
void EndAllNotepads();

}  // namespace lyrics::testing
