#include "match/playlist_names.h"

#include "common/lower_case.h"

namespace lyrics::match {

bool EndsInM3u8(std::wstring_view path) {
    constexpr std::wstring_view kEnding = L".m3u8";
    return path.size() >= kEnding.size() && LowerCase(path.substr(path.size() - kEnding.size())) == kEnding;
}

}  // namespace lyrics::match
