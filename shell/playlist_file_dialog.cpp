#include "shell/playlist_file_dialog.h"

#include <commdlg.h>

#include "match/playlist_names.h"

namespace lyrics::shell {

namespace {

// The filter list: one entry, pairs of NUL-terminated texts closed by an empty text (the string's
// own terminator).
std::wstring PlaylistFilter() {
    const std::wstring patterns = match::PlaylistPatternList();
    return L"Winamp Playlist (" + patterns + L")" + L'\0' + patterns + L'\0';
}

// Room for the longest path Windows accepts. A buffer of 256 characters would make the dialog fail,
// and so lose the user's choice without a word, for a playlist stored a little deeper.
constexpr DWORD kPathCapacity = 32768;

}  // namespace

std::wstring PickPlaylistFile(HWND owner) {
    std::wstring path(kPathCapacity, L'\0');
    const std::wstring filter = PlaylistFilter();

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hInstance = ::GetModuleHandleW(nullptr);
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrCustomFilter = nullptr;
    dialog.nMaxCustFilter = 0;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrFileTitle = nullptr;  // the bare name is never used
    dialog.nMaxFileTitle = 0;
    dialog.lpstrInitialDir = nullptr;
    dialog.lpstrTitle = L"Open File";
    dialog.Flags = OFN_HIDEREADONLY;
    dialog.lpstrDefExt = L"hrl";
    dialog.lCustData = 0;
    dialog.lpfnHook = nullptr;
    dialog.lpTemplateName = nullptr;

    if (!::GetOpenFileNameW(&dialog)) return {};
    path.resize(path.find(L'\0'));
    return path;
}

}  // namespace lyrics::shell
