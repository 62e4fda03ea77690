#include "common/win32/full_path.h"

#include <windows.h>

namespace lyrics {

std::optional<std::wstring> FullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return std::nullopt;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return std::nullopt;
    full.resize(written);
    return full;
}

}  // namespace lyrics
