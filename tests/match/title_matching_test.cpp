#include "match/title_matching.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/match/match_test_support.h"
#include "tests/match/oracles/pairwise_matching.h"

namespace lyrics::match {
namespace {

using Slots = std::vector<std::wstring>;

TEST(TextFileNames, OnlyADotTxtEndingInAnyCase) {
    for (const wchar_t* name : {L"Song.txt", L"Song.TXT", L".txt"}) EXPECT_TRUE(IsTextFileName(name)) << name;
    for (const wchar_t* name : {L"Song.txt.bak", L"Song.text", L"txt"}) EXPECT_FALSE(IsTextFileName(name)) << name;
}

TEST(LyricsFolderTable, TextFilesFirstInListingOrderOtherFilesOnlyTakeSlots) {
    const LyricsFolder folder = LyricsFolderFromNames({L"a.jpg", L"Blue Morning.TXT", L"notes.txt.bak", L".txt", L"Rain.txt"});
    EXPECT_EQ(folder.lyricsFileNames, (Slots{L"Blue Morning", L"", L"Rain", L"", L""}));
    EXPECT_EQ(folder.textFileCount, 3);
}

// Titles and file names, the outcome of matching them, and the slots each side keeps.
struct MatchedSlots {
    const char* name;
    MatchOutcome outcome;
    Slots titles, names, titlesLeft, namesLeft;
};

MatchedSlots Row(const char* name, MatchOutcome outcome, Slots titles, Slots names, Slots titlesLeft, Slots namesLeft) {
    return {name, outcome, std::move(titles), std::move(names), std::move(titlesLeft), std::move(namesLeft)};
}

void PrintTo(const MatchedSlots& row, std::ostream* out) { *out << row.name; }

class MatchTitlesTable : public ::testing::TestWithParam<MatchedSlots> {};

TEST_P(MatchTitlesTable, Leaves) {
    Slots titles = GetParam().titles, names = GetParam().names;
    EXPECT_EQ(MatchTitles(titles, names), GetParam().outcome);
    EXPECT_EQ(titles, GetParam().titlesLeft);
    EXPECT_EQ(names, GetParam().namesLeft);
}

INSTANTIATE_TEST_SUITE_P(
    MatchTitles, MatchTitlesTable,
    ::testing::Values(
        Row("LetterCaseIsIgnoredNothingElseIs", kNeitherAll, {L"Blue Morning", L"Trailing ", L"What?", L"\u00e9t\u00e9", L"Part"},
            {L"blue morning", L"Trailing", L"What", L"\u00c9T\u00c9", L"Partial"}, {L"", L"Trailing ", L"What?", L"", L"Part"},
            {L"", L"Trailing", L"What", L"", L"Partial"}),
        Row("ATitleTwiceTakesOneFileTheSecondStays", kAllFilesOnly, {L"Song", L"Other", L"SONG"}, {L"song", L"Other"},
            {L"", L"", L"SONG"}, {L"", L""}),
        Row("FileNamesInOtherCasesAreTakenInListingOrder", kAllTitlesOnly, {L"Song", L"song"}, {L"SONG", L"x", L"Song", L"sOnG"},
            {L"", L""}, {L"", L"x", L"", L"sOnG"}),
        Row("OutcomeIgnoresBlankSlotsOnBothSides", kAllTitlesOnly, {L"", L"A", L"", L""}, {L"a", L"", L"", L"extra"},
            {L"", L"", L"", L""}, {L"", L"", L"", L"extra"}),
        Row("NoTitlesAndNoFilesAreAllMatched", kBothAll, {L"", L""}, {}, {L"", L""}, {}),
        // A folder of pictures: no text file.
        Row("NoTextFileLeavesEveryTitle", kAllFilesOnly, {L"A", L"B"}, {L"", L"", L""}, {L"A", L"B"}, {L"", L"", L""}),
        Row("SpacesAreNotBlank", kBothAll, {L" "}, {L" "}, {L""}, {L""}),
        Row("SpacesOfAnotherCountDoNotMatch", kNeitherAll, {L" "}, {L"  "}, {L" "}, {L"  "})),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatchTitles, AgreesWithThePairwiseLoopOnRandomTables) {
    const Slots words = {L"", L"a", L"A", L"b", L"B ", L"\u00c9", L"\u00e9", L"ab", L"Ab", L" "};
    std::mt19937 random(99);
    for (int round = 0; round < 5000; ++round) {
        Slots titles(random() % 8), names(random() % 8);
        for (auto& t : titles) t = words[random() % words.size()];
        for (auto& n : names) n = words[random() % words.size()];
        Slots titlesCopy = titles, namesCopy = names;
        const auto expected = oracles::PairwiseMatchTitles(titlesCopy, namesCopy);
        ASSERT_EQ(MatchTitles(titles, names), expected) << "round " << round;
        ASSERT_EQ(titles, titlesCopy) << "round " << round;
        ASSERT_EQ(names, namesCopy) << "round " << round;
    }
}

}  // namespace
}  // namespace lyrics::match
