#include "match/title_matching.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/match/match_outcomes.h"
#include "tests/match/oracles/pairwise_matching.h"

namespace lyrics::match {
namespace {

using Slots = std::vector<std::wstring>;

TEST(TextFileNames, OnlyADotTxtEndingInAnyCase) {
    EXPECT_TRUE(IsTextFileName(L"Song.txt"));
    EXPECT_TRUE(IsTextFileName(L"Song.TXT"));
    EXPECT_TRUE(IsTextFileName(L".txt"));
    EXPECT_FALSE(IsTextFileName(L"Song.txt.bak"));
    EXPECT_FALSE(IsTextFileName(L"Song.text"));
    EXPECT_FALSE(IsTextFileName(L"txt"));
}

TEST(LyricsFolderTable, TextFilesFirstInListingOrderOtherFilesOnlyTakeSlots) {
    const LyricsFolder folder = LyricsFolderFromNames({L"a.jpg", L"Blue Morning.TXT", L"notes.txt.bak", L".txt", L"Rain.txt"});
    EXPECT_EQ(folder.lyricsFileNames, (Slots{L"Blue Morning", L"", L"Rain", L"", L""}));
    EXPECT_EQ(folder.textFileCount, 3);
}

TEST(MatchTitles, LetterCaseIsIgnoredNothingElseIs) {
    Slots titles = {L"Blue Morning", L"Trailing ", L"What?", L"\u00e9t\u00e9", L"Part"};
    Slots names = {L"blue morning", L"Trailing", L"What", L"\u00c9T\u00c9", L"Partial"};
    EXPECT_EQ(MatchTitles(titles, names), kNeitherAll);
    EXPECT_EQ(titles, (Slots{L"", L"Trailing ", L"What?", L"", L"Part"}));
    EXPECT_EQ(names, (Slots{L"", L"Trailing", L"What", L"", L"Partial"}));
}

TEST(MatchTitles, ATitleTwiceTakesOneFileTheSecondStays) {
    Slots titles = {L"Song", L"Other", L"SONG"};
    Slots names = {L"song", L"Other"};
    EXPECT_EQ(MatchTitles(titles, names), kAllFilesOnly);
    EXPECT_EQ(titles, (Slots{L"", L"", L"SONG"}));
}

TEST(MatchTitles, FileNamesInOtherCasesAreTakenInListingOrder) {
    Slots titles = {L"Song", L"song"};
    Slots names = {L"SONG", L"x", L"Song", L"sOnG"};
    MatchTitles(titles, names);
    EXPECT_EQ(names, (Slots{L"", L"x", L"", L"sOnG"}));
}

TEST(MatchTitles, OutcomeIgnoresBlankSlotsOnBothSides) {
    Slots titles = {L"", L"A", L"", L""};
    Slots names = {L"a", L"", L"", L"extra"};
    EXPECT_EQ(MatchTitles(titles, names), kAllTitlesOnly);

    Slots noTitles = {L"", L""};
    Slots noNames;
    EXPECT_EQ(MatchTitles(noTitles, noNames), kBothAll);

    Slots someTitles = {L"A", L"B"};
    Slots onlyOtherFiles = {L"", L"", L""};  // a folder of pictures: no text file
    EXPECT_EQ(MatchTitles(someTitles, onlyOtherFiles), kAllFilesOnly);
    EXPECT_EQ(someTitles, (Slots{L"A", L"B"}));
}

TEST(MatchTitles, SpacesAreNotBlank) {
    Slots titles = {L" "};
    Slots names = {L" "};
    EXPECT_EQ(MatchTitles(titles, names), kBothAll);
    Slots moreTitles = {L" "};
    Slots otherNames = {L"  "};
    EXPECT_EQ(MatchTitles(moreTitles, otherNames), kNeitherAll);
}

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
