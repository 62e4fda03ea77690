#include "orlisk/win32/shell_win32.h"

#include "common/win32/unique_handle.h"
#include "orlisk/lyrics_files.h"
#include "orlisk/win32/desktop_win32.h"

#include <shellapi.h>

#include <string>

namespace lyrics::orlisk::win32 {

namespace {

int ShowWindowCommand(ShowCommand show) {
    switch (show) {
        case ShowCommand::Normal:
            return SW_SHOWNORMAL;
        case ShowCommand::Minimized:
            return SW_MINIMIZE;
        case ShowCommand::Maximized:
            return SW_SHOWMAXIMIZED;
        case ShowCommand::Hidden:
            break;
    }
    return SW_HIDE;
}

struct ProcessWindowSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<ProcessWindowSearch*>(search);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != wanted.processId) return TRUE;
    wanted.found = window;
    return FALSE;
}

}  // namespace

bool ShellTakesDocument(const std::wstring& path) {
    // Some shells copy the path into MAX_PATH buffers without a check, with the caller's stack
    // beneath them.
    if (path.empty() || path.size() > kMaxShellPathLength) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ShellDocument::Open(WindowHandle owner, std::wstring_view document, ShowCommand show) {
    const std::wstring path(document);
    if (!ShellTakesDocument(path)) return false;

    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    // No error box: the tray tip is the program's only voice. The process handle lets the wait
    // below know when the program is ready.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = ToHwnd(owner);
    execute.lpFile = path.c_str();
    execute.nShow = ShowWindowCommand(show);
    if (!::ShellExecuteExW(&execute)) return false;

    // Null when the document went to a program already running.
    const UniqueKernelHandle started(execute.hProcess);
    // The shell returns before the program's window exists: without the wait a close that follows
    // at once would find nothing, and a burst of clicks would leave a Notepad for each.
    if (started) WaitUntilReady(started.get());
    return true;
}

// Ready means the program has done what it does at start (Notepad has read the file and
// captioned its window). WaitForInputIdle would say the same, but Wine's handles the messages
// sent to this thread while it waits, and leaves a handle open on every call. The probe of the
// window is sent with SMTO_BLOCK and a short time-out, so that only the handler given runs
// messages, between probes.
void ShellDocument::WaitUntilReady(HANDLE process) const {
    const auto deadline = std::chrono::steady_clock::now() + kReadyForInputWait;
    ProcessWindowSearch search{::GetProcessId(process)};
    const auto pause = static_cast<DWORD>(kReadyPollPause.count());
    for (;;) {
        if (::WaitForSingleObject(process, 0) != WAIT_TIMEOUT) return;  // a launcher that handed over and ended
        if (!search.found) ::EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            DWORD_PTR ignored = 0;
            if (::SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, pause, &ignored) != 0) return;
            if (!::IsWindow(search.found)) search.found = nullptr;
        }
        if (std::chrono::steady_clock::now() >= deadline) return;
        if (!handleMessages_) {
            ::Sleep(pause);
            continue;
        }
        // Wakes for the program's end or a message for this thread, whichever comes first.
        ::MsgWaitForMultipleObjects(1, &process, FALSE, pause, QS_ALLINPUT);
        if (!handleMessages_()) return;
    }
}

}  // namespace lyrics::orlisk::win32
