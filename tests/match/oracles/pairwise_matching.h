// The plain matching loop that MatchTitles must agree with: every title, in playlist order, is
// compared with every file name, in listing order, both lower-cased afresh for every comparison.
// Its time grows with the product of the two table sizes; it is kept only as the yardstick for the
// benchmarks, the unit tests and the fuzz target.
#pragma once

#include <string>
#include <vector>

#include "match/title_matching.h"

namespace lyrics::match::oracles {

MatchOutcome PairwiseMatchTitles(std::vector<std::wstring>& playlistTitles, std::vector<std::wstring>& lyricsFileNames);

}  // namespace lyrics::match::oracles
