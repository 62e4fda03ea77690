#include "shell/folder_browse.h"

#include <shlobj.h>

#include <memory>

namespace lyrics::shell {

namespace {

struct ItemIdListFree {
    void operator()(ITEMIDLIST* list) const noexcept { ::CoTaskMemFree(list); }
};
using UniqueItemIdList = std::unique_ptr<ITEMIDLIST, ItemIdListFree>;

// Long enough for any path the file system can hold, not just MAX_PATH.
constexpr DWORD kPathCapacity = 32768;

bool IsExistingFolder(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Selects the folder whose path lParam names once the dialog is up.
int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data != 0) ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

}  // namespace

std::wstring BrowseFolder(HWND owner, const std::wstring& prompt, const std::wstring& startFolder) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = SelectStartFolder;
    info.lParam = IsExistingFolder(startFolder) ? reinterpret_cast<LPARAM>(startFolder.c_str()) : 0;

    const UniqueItemIdList chosen(::SHBrowseForFolderW(&info));
    if (!chosen) return {};

    std::wstring path(kPathCapacity, L'\0');
    if (!::SHGetPathFromIDListEx(chosen.get(), path.data(), kPathCapacity, GPFIDL_DEFAULT)) return {};
    path.resize(path.find(L'\0'));
    return path;
}

}  // namespace lyrics::shell
