#include "tests/match/oracles/pairwise_matching.h"

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
    std::size_t blankTitles = 0;
    for (const std::wstring& title : playlistTitles) blankTitles += title.empty() ? 1 : 0;
    std::size_t blankNames = 0;
    for (const std::wstring& name : lyricsFileNames) blankNames += name.empty() ? 1 : 0;
    return MatchOutcome{blankTitles == playlistTitles.size(), blankNames == lyricsFileNames.size()};
}

}  // namespace lyrics::match::oracles
