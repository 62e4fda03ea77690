#include "orlisk/song_change.h"

namespace lyrics::orlisk {

bool SongHasChanged(std::wstring_view caption, std::wstring_view lastTitle) {
    const bool holdsTitle = caption.find(lastTitle) != std::wstring_view::npos;
    // "Winamp" from position 3 on: the caption is in the main form.
    if (caption.find(L"Winamp", 2) != std::wstring_view::npos) return !holdsTitle;
    return !holdsTitle && caption.find(L':') != std::wstring_view::npos;
}

}  // namespace lyrics::orlisk
