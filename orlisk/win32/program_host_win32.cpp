#include "orlisk/win32/program_host_win32.h"

#include "common/win32/program_folder.h"

namespace lyrics::orlisk::win32 {

std::wstring Win32ProgramHost::ProgramFolder() { return lyrics::ProgramFolder(); }

}  // namespace lyrics::orlisk::win32
