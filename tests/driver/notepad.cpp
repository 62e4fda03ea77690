#include "tests/driver/notepad.h"

#include "common/win32/unique_handle.h"
#include "tests/driver/driver_support.h"
#include "tests/driver/message_box.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_input.h"

namespace lyrics::testing {

std::vector<HWND> NotepadWindows() { return TopLevelWindows(L"Notepad"); }

HWND NotepadOf(const std::wstring& fileName) { return ::FindWindowW(L"Notepad", (fileName + L" - Notepad").c_str()); }

HWND WaitForNotepad(const std::wstring& fileName, std::chrono::milliseconds timeout) {
    return WaitForWindow([&] { return NotepadOf(fileName); }, timeout);
}

bool WaitUntilReady(HWND notepad, std::chrono::milliseconds timeout) {
    const UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(notepad)));
    return process && ::WaitForInputIdle(process.get(), static_cast<DWORD>(timeout.count())) == 0;
}

HWND EditOf(HWND notepad) { return FindChild(notepad, L"Edit"); }

std::wstring NotepadText(HWND notepad) { return WindowText(EditOf(notepad)); }

bool IsEdited(HWND notepad) { return SendBounded(EditOf(notepad), EM_GETMODIFY, 0, 0).value_or(0) != 0; }

void AskToClose(HWND notepad) { ::PostMessageW(notepad, WM_CLOSE, 0, 0); }

std::vector<HWND> SavePrompts(HWND notepad) { return VisibleDialogsOf(ProcessOf(notepad)); }

bool AnswerSavePrompt(HWND notepad, int buttonId) {
    const std::vector<HWND> prompts = SavePrompts(notepad);
    return prompts.size() == 1 && AnswerMessageBox(prompts.front(), buttonId);
}

void EndAllNotepads() {
    for (HWND window : NotepadWindows()) EndProcess(ProcessOf(window));
    WaitFor([] { return NotepadWindows().empty(); }, 5s);
}

}  // namespace lyrics::testing
