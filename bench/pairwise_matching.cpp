#include "pairwise_matching.h"

#include "common/lower_case.h"

namespace lyrics::bench {

std::uint8_t PairwiseMatchTitles(std::vector<std::wstring>& playlistTitles, std::vector<std::wstring>& lyricsFileNames) {
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
    std::uint8_t matchOutcome = 0;
    if (blankTitles == playlistTitles.size()) matchOutcome += 1;
    if (blankNames == lyricsFileNames.size()) matchOutcome += 2;
    return matchOutcome;
}

}  // namespace lyrics::bench
