#include "orlisk/win32/win32_program_host.h"

#include "common/win32/program_folder.h"

namespace lyrics::orlisk::win32 {

std::wstring Win32ProgramHost::ProgramFolder() { return lyrics::ProgramFolder(); }

}  // namespace lyrics::orlisk::win32
