#include "orlisk/win32/file_search_win32.h"

#include <windows.h>

#include <string>

#include "common/win32/unique_handle.h"

namespace lyrics::orlisk::win32 {

bool FileSystemSearch::FindsEntry(std::wstring_view pattern) {
    if (pattern.empty()) return false;
    const std::wstring text(pattern);
    WIN32_FIND_DATAW entry{};
    const UniqueFindHandle find(::FindFirstFileW(text.c_str(), &entry));
    return static_cast<bool>(find);
}

}  // namespace lyrics::orlisk::win32
