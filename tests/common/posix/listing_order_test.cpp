// The order of the Linux listing on names held in memory: far more and longer names than a folder
// on disk would allow in a unit test. The sort compares eight bytes of the upper-case forms at a
// time, so names whose shared beginnings end just before, at or after a multiple of eight bytes,
// names that are beginnings of others and names that differ only in letter case are where it would
// go wrong.
#include "common/posix/listing_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/common/posix/plain_listing_order.h"

namespace lyrics {
namespace {

std::vector<std::wstring> Ordered(const std::vector<std::string>& names) {
    TextRun<char> run;
    for (const std::string& name : names) run.Add(name);
    return InListingOrder(run);
}

TEST(ListingOrder, NamesThatAgreeUpToAndAcrossEightByteSteps) {
    std::vector<std::string> names;
    for (const std::string stem : {"Artist -", "Artist - Title 16b", "ARTIST - TITLE 16B"}) {
        for (const std::string end : {"", "a", "A", "b", " ", "\xc3\xa9", "\xc3\x89", "\xe9", "aaaaaaaa", "AAAAAAAAa"}) {
            names.push_back(stem + end);
        }
    }
    names.push_back("");  // an empty text is ordered first, not lost
    EXPECT_EQ(Ordered(names), testing::PlainListingOrder(names));
}

TEST(ListingOrder, NothingToOrderAndOneName) {
    EXPECT_TRUE(Ordered({}).empty());
    EXPECT_EQ(Ordered({"b\xe9"}), (std::vector<std::wstring>{L"b\u00e9"}));
}

TEST(ListingOrder, AgreesWithAPlainSortOnManyRandomNames) {
    const std::vector<std::string> pieces = {"a",        "A",        "b",        "B",        "The ",         "THE ",
                                             "\xc3\xa9", "\xc3\x89", "\xe9",     " - ",      "\xcf\x83",     "\xce\xa3",
                                             "\xc3\x9f", "\xff",     "abcdefgh", "ABCDEFGH", "\xe1\xba\x9e", "\xf0\x9f\x98\x80"};
    std::mt19937 random(11);
    for (int round = 0; round < 400; ++round) {
        std::set<std::string> unique;
        const std::size_t count = random() % 120;
        while (unique.size() < count) {
            std::string name;
            for (std::size_t piece = 1 + random() % 10; piece > 0; --piece) name += pieces[random() % pieces.size()];
            unique.insert(name);
        }
        std::vector<std::string> names(unique.begin(), unique.end());
        std::shuffle(names.begin(), names.end(), random);
        ASSERT_EQ(Ordered(names), testing::PlainListingOrder(names)) << "round " << round;
    }
}

}  // namespace
}  // namespace lyrics
