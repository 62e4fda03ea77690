// The song-change test of the auto-open tick: a cheap look at the caption of the window where
// the last song was found, before any window walk. Exact, case-sensitive searches.
#pragma once

#include <string_view>

namespace lyrics::orlisk {

// caption: Winamp's caption now; lastTitle: the title whose lyrics were opened last. When
// "Winamp" stands at position 3 or later, the song changed when the caption lacks lastTitle;
// otherwise only when it lacks lastTitle and holds a ":".
bool SongHasChanged(std::wstring_view caption, std::wstring_view lastTitle);

}  // namespace lyrics::orlisk
