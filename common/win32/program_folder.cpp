#include "common/win32/program_folder.h"

#include <windows.h>

namespace lyrics {

std::wstring ProgramPath() {
    // GetModuleFileNameW truncates silently when the buffer is short, so grow it until the path
    // fits with room to spare; paths beyond MAX_PATH are real under long-path-aware Windows.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

std::wstring ProgramFolder() { return FolderOfPath(ProgramPath()); }

std::wstring FolderOfPath(std::wstring path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // A drive's root keeps its backslash ("C:\"); any other folder loses it.
    const bool driveRoot = slash == 2 && path[1] == L':';
    path.resize(driveRoot ? slash + 1 : slash);
    return path;
}

}  // namespace lyrics
