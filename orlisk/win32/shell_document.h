// ShellDocument: the logic's Shell over ShellExecuteW, which opens a document with its default
// action (Notepad for a lyrics file, the browser for the help page).
#pragma once

#include "orlisk/shell.h"

namespace lyrics::orlisk::win32 {

class ShellDocument final : public Shell {
public:
    bool Open(WindowHandle owner, std::wstring_view document, ShowCommand show) override;
};

}  // namespace lyrics::orlisk::win32
