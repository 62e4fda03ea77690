// Wine's Notepad as a test sees it: its windows, captioned "NAME - Notepad" after the file it
// shows, the text in its edit box, its "save changes?" question, and ending every Notepad.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/driver/message_box.h"

namespace lyrics::testing {

// Every Notepad window on the desktop.
inline std::vector<HWND> NotepadWindows() { return TopLevelWindows(L"Notepad"); }
// The Notepad window showing a file of that name ("Match Help.txt"), or null.
inline HWND NotepadOf(const std::wstring& fileName) { return ::FindWindowW(L"Notepad", (fileName + L" - Notepad").c_str()); }
inline HWND WaitForNotepad(const std::wstring& fileName, std::chrono::milliseconds timeout = kWindowTimeout) {
    return WaitForWindow([&] { return NotepadOf(fileName); }, timeout);
}
// Waits until the Notepad's program waits for input; false when it did not within timeout.
inline bool WaitUntilReady(HWND notepad, std::chrono::milliseconds timeout) {
    const UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(notepad)));
    return process && ::WaitForInputIdle(process.get(), static_cast<DWORD>(timeout.count())) == 0;
}

// The edit box that holds the file's text, and that text.
inline HWND EditOf(HWND notepad) { return FindChild(notepad, L"Edit"); }
inline std::wstring NotepadText(HWND notepad) { return WindowText(EditOf(notepad)); }
// Whether the text was edited since it was read (EM_GETMODIFY).
inline bool IsEdited(HWND notepad) { return SendBounded(EditOf(notepad), EM_GETMODIFY, 0, 0).value_or(0) != 0; }
// Types a character into the text, so that closing asks "save changes?"; false when it was not taken.
inline bool EditUnsaved(HWND notepad) {
    const HWND text = EditOf(notepad);
    if (!text) return false;
    TypeChar(text, L'x');
    return WaitFor([&] { return IsEdited(notepad); }, 5s);
}

// The "save changes?" boxes the Notepad shows.
inline std::vector<HWND> SavePrompts(HWND notepad) { return VisibleDialogsOf(ProcessOf(notepad)); }
// Answers the Notepad's one save question with the button (IDNO: do not save); false when there
// was none or it stayed.
inline bool AnswerSavePrompt(HWND notepad, int buttonId) {
    const std::vector<HWND> prompts = SavePrompts(notepad);
    return prompts.size() == 1 && AnswerMessageBox(prompts.front(), buttonId);
}

// Ends every Notepad's program and waits (bounded) until no Notepad window is left.
inline void EndAllNotepads() {
    for (HWND window : NotepadWindows()) EndProcess(ProcessOf(window));
    WaitFor([] { return NotepadWindows().empty(); }, 5s);
}

}  // namespace lyrics::testing
