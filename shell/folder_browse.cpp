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

}  // namespace

std::wstring BrowseFolder(HWND owner, const std::wstring& prompt) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = nullptr;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = nullptr;
    info.lParam = 0;

    const UniqueItemIdList chosen(::SHBrowseForFolderW(&info));
    if (!chosen) return {};

    std::wstring path(kPathCapacity, L'\0');
    if (!::SHGetPathFromIDListEx(chosen.get(), path.data(), kPathCapacity, GPFIDL_DEFAULT)) return {};
    path.resize(path.find(L'\0'));
    return path;
}

}  // namespace lyrics::shell
