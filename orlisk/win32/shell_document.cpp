#include "orlisk/win32/shell_document.h"

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

bool ShellDocument::Open(WindowHandle owner, std::wstring_view document, ShowCommand show) {
    const std::wstring path(document);
    const HINSTANCE result = ::ShellExecuteW(ToHwnd(owner), nullptr, path.c_str(), nullptr, nullptr, ShowWindowCommand(show));
    // ShellExecuteW answers a number dressed as a handle: above 32 the document was handed over,
    // 32 or below is an error code.
    return reinterpret_cast<std::intptr_t>(result) > 32;
}

}  // namespace lyrics::orlisk::win32
