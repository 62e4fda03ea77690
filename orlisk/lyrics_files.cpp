#include "orlisk/lyrics_files.h"

#include "orlisk/settings_controls.h"

namespace lyrics::orlisk {

ShowCommand ShowCommandForSize(int sizeIndex) {
    switch (sizeIndex) {
        case kSizeNormal:
            return ShowCommand::Normal;
        case kSizeMinimized:
            return ShowCommand::Minimized;
        case kSizeMaximized:
            return ShowCommand::Maximized;
        default:
            return ShowCommand::Hidden;
    }
}

bool TitleStaysInFolder(std::wstring_view title) {
    if (title == L"." || title == L"..") return false;
    return title.find_first_of(L"\\/:") == std::wstring_view::npos;
}

std::optional<std::wstring> LyricsPath(std::wstring_view folder, std::wstring_view title) {
    if (folder.empty() || !TitleStaysInFolder(title)) return std::nullopt;
    constexpr std::wstring_view kExtension = L".txt";
    if (title.size() + kExtension.size() > kMaxFileNameLength) return std::nullopt;
    if (folder.size() + title.size() + kExtension.size() > kMaxShellPathLength) return std::nullopt;
    std::wstring path(folder);
    path += title;
    path += kExtension;
    return path;
}

std::array<std::wstring, 2> NotepadCaptions(std::wstring_view title) {
    std::wstring plain(title);
    plain += kNotepadSuffix;
    std::wstring withExtension(title);
    withExtension += kTxtNotepadSuffix;
    return {std::move(plain), std::move(withExtension)};
}

}  // namespace lyrics::orlisk
