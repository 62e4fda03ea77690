// The four outcomes of matching by name, and how a failed expectation prints one.
#pragma once

#include <ostream>

#include "match/match_outcome.h"

namespace lyrics::match {

inline constexpr MatchOutcome kNeitherAll{.allTitles = false, .allFiles = false};
inline constexpr MatchOutcome kAllTitlesOnly{.allTitles = true, .allFiles = false};
inline constexpr MatchOutcome kAllFilesOnly{.allTitles = false, .allFiles = true};
inline constexpr MatchOutcome kBothAll{.allTitles = true, .allFiles = true};

inline void PrintTo(const MatchOutcome& outcome, std::ostream* out) {
    *out << "{allTitles: " << outcome.allTitles << ", allFiles: " << outcome.allFiles << "}";
}

}  // namespace lyrics::match
