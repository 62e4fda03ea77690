#include "match/playlist_names.h"

#include "common/lower_case.h"

namespace lyrics::match {

PlaylistType PlaylistTypeByExtension(std::wstring_view path) {
    for (const PlaylistKind& kind : kPlaylistKinds) {
        const std::size_t length = kind.extension.size();
        if (path.size() >= length && LowerCase(path.substr(path.size() - length)) == kind.extension) return kind.type;
    }
    return PlaylistType::Unknown;
}

std::wstring PlaylistExtensionList(std::wstring_view lastJoint) {
    std::wstring list;
    for (std::size_t k = 0; k < kPlaylistKinds.size(); ++k) {
        if (k > 0) list += k + 1 == kPlaylistKinds.size() ? lastJoint : std::wstring_view(L", ");
        list += kPlaylistKinds[k].extension;
    }
    return list;
}

std::wstring PlaylistPatternList() {
    std::wstring list;
    for (const PlaylistKind& kind : kPlaylistKinds) {
        if (!list.empty()) list += L';';
        list += L'*';
        list += kind.extension;
    }
    return list;
}

}  // namespace lyrics::match
