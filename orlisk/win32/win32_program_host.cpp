#include "orlisk/win32/win32_program_host.h"

#include <vector>

namespace lyrics::orlisk::win32 {

std::wstring Win32ProgramHost::ProgramFolder() {
    // Long paths exceed MAX_PATH; grow the buffer until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            const auto slash = path.find_last_of(L"\\/");
            if (slash == std::wstring::npos) return {};
            // A drive's root keeps its backslash ("C:\"); any other folder loses it.
            path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
            return path;
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace lyrics::orlisk::win32
