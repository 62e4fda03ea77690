#include "tests/match/oracles/pairwise_matching.h"

#include <algorithm>

#include "common/lower_case.h"

namespace lyrics::match::oracles {

MatchOutcome PairwiseMatchTitles(std::vector<std::wstring>& playlistTitles, std::vector<std::wstring>& lyricsFileNames) {
    for (std::wstring& title : playlistTitles) {
        for (std::wstring& name : lyricsFileNames) {
            if (title.empty()) break;
            if (LowerCase(title) == LowerCase(name)) {
                title.clear();
                name.clear();
            }
        }
    }
    const auto allBlank = [](const std::vector<std::wstring>& slots) {
        return std::all_of(slots.begin(), slots.end(), [](const std::wstring& slot) { return slot.empty(); });
    };
    return MatchOutcome{allBlank(playlistTitles), allBlank(lyricsFileNames)};
}

}  // namespace lyrics::match::oracles
