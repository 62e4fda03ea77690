#include "common/folder_listing.h"

#include <windows.h>

#include <system_error>

#include "common/file_io.h"
#include "common/win32/full_path.h"
#include "common/win32/unique_handle.h"

namespace lyrics {

namespace {

bool NotFound(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME ||
           code == ERROR_BAD_NETPATH || code == ERROR_BAD_PATHNAME || code == ERROR_INVALID_DRIVE;
}

}  // namespace

std::error_code LookUpFailure(const std::wstring& path) {
    if (path.empty() || GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return {};
    const DWORD code = GetLastError();
    if (NotFound(code)) return {};
    return std::error_code(static_cast<int>(code), std::system_category());
}

Result<std::vector<std::wstring>> ListFolderFiles(const std::wstring& folder) {
    // The folder as the system resolves a path it is given: trailing blanks and dots dropped from the
    // last name, "C:" the current folder of drive C. The input check sees that folder, so the
    // listing must too: "C:\Lyrics \*" would keep the blank and name a folder that is not there.
    std::wstring pattern = FullPath(folder).value_or(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';

    const auto failed = [&folder](DWORD code) {
        return FileFailure(L"lyrics folder", folder, L"listed", std::error_code(static_cast<int>(code), std::system_category()));
    };
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle find(
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return std::vector<std::wstring>{};  // an empty drive root has no "." entries
        return failed(code);
    }
    std::vector<std::wstring> names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
    } while (FindNextFileW(find.get(), &found));
    if (const DWORD code = GetLastError(); code != ERROR_NO_MORE_FILES) return failed(code);
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
