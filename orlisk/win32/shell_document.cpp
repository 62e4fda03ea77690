#include "orlisk/win32/shell_document.h"

#include "common/win32/unique_handle.h"
#include "orlisk/lyrics_files.h"
#include "orlisk/win32/win32_desktop.h"

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
    if (started) ::WaitForInputIdle(started.get(), static_cast<DWORD>(kReadyForInputWait.count()));
    return true;
}

}  // namespace lyrics::orlisk::win32
