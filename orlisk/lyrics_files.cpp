#include "lyrics_files.h"

#include "settings_controls.h"
#include "shell.h"

namespace lyrics::orlisk {

int ShowCommandForSize(int sizeIndex) {
    switch (sizeIndex) {
        case kSizeNormal:
            return kShowNormal;
        case kSizeMinimized:
            return kShowMinimize;
        case kSizeMaximized:
            return kShowMaximized;
        default:
            return kShowHide;
    }
}

bool TitleStaysInFolder(std::wstring_view title) {
    if (title == L"." || title == L"..") return false;
    return title.find_first_of(L"\\/:") == std::wstring_view::npos;
}

std::optional<std::wstring> LyricsPath(std::wstring_view folder, std::wstring_view title) {
    if (folder.empty() || !TitleStaysInFolder(title)) return std::nullopt;
    std::wstring path(folder);
    path += title;
    path += L".txt";
    return path;
}

std::wstring LyricsCaptionFor(std::wstring_view title) {
    std::wstring caption(title);
    caption += kNotepadSuffix;
    return caption;
}

std::wstring TitleFromLyricsCaption(std::wstring_view lyricsCaption) {
    if (lyricsCaption.size() < kNotepadSuffix.size()) return {};
    return std::wstring(lyricsCaption.substr(0, lyricsCaption.size() - kNotepadSuffix.size()));
}

}  // namespace lyrics::orlisk
