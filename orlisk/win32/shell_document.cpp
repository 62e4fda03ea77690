#include "orlisk/win32/shell_document.h"

#include "orlisk/win32/win32_desktop.h"

#include <shellapi.h>

#include <string>

namespace lyrics::orlisk::win32 {

std::intptr_t ShellDocument::OpenDocument(WindowHandle owner, std::wstring_view document, int showCommand) {
    const std::wstring path(document);
    const HINSTANCE result = ::ShellExecuteW(ToHwnd(owner), nullptr, path.c_str(), nullptr, nullptr, showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace lyrics::orlisk::win32
