// What matching by name leaves: whether every slot of each table is blank once matching is done
// (a table without slots counts as all blank). The unmatch list's headings go by it.
#pragma once

namespace lyrics::match {

struct MatchOutcome {
    bool allTitles = false;
    bool allFiles = false;

    friend bool operator==(const MatchOutcome&, const MatchOutcome&) = default;
};

}  // namespace lyrics::match
