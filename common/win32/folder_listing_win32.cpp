#include "common/folder_listing.h"

#include <windows.h>

#include <system_error>

#include "common/path_text.h"
#include "common/win32/unique_handle.h"

namespace lyrics {

namespace {

Failure ListingFailure(const std::wstring& folder, DWORD code) {
    return Failure{L"The lyrics folder \"" + folder + L"\" could not be listed: " +
                   ReasonText(std::error_code(static_cast<int>(code), std::system_category())) + L"."};
}

}  // namespace

Result<std::vector<std::wstring>> ListFolderFiles(const std::wstring& folder) {
    std::wstring pattern = folder;
    // "C:" alone names the current folder of drive C, which "C:*" lists; "C:\*" would be its root.
    const bool driveOnly = pattern.size() == 2 && pattern[1] == L':';
    if (!pattern.empty() && !driveOnly && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';

    WIN32_FIND_DATAW found{};
    const UniqueFindHandle find(
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return std::vector<std::wstring>{};  // an empty drive root has no "." entries
        return ListingFailure(folder, code);
    }
    std::vector<std::wstring> names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
    } while (FindNextFileW(find.get(), &found));
    if (const DWORD code = GetLastError(); code != ERROR_NO_MORE_FILES) return ListingFailure(folder, code);
    return names;
}

bool FolderExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace lyrics
