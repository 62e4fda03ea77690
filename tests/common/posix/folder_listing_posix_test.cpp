// The Linux folder listing: files only, in the order of their upper-case forms, then of the names,
// whatever the bytes of the names. The listing sorts eight bytes of the keys at a time, so names
// that agree on long beginnings, end inside such a step or differ only in letter case are the cases
// that would go wrong. The same order on names held in memory as well: far more and longer names
// than a folder on disk would allow in a unit test.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/folder_listing.h"
#include "common/lower_case.h"
#include "common/posix/listing_order.h"
#include "common/text_codec.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using testing::TempFolder;
using testing::ValueOf;

// The listing order by its definition, to hold the listing against: a plain sort of (upper-case
// form, name), the names given as the system gives them.
std::vector<std::wstring> PlainListingOrder(const std::vector<std::string>& names) {
    std::vector<std::pair<std::wstring, std::wstring>> keyed;
    for (const std::string& name : names) {
        std::wstring text = DecodeUtf8Lenient(name);
        keyed.emplace_back(UpperCase(text), std::move(text));
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::wstring> order;
    for (auto& [upper, text] : keyed) order.push_back(std::move(text));
    return order;
}

void Touch(const TempFolder& folder, const std::string& name) { std::ofstream(folder.path() / name).put('x'); }

TEST(PosixFolderListing, ByUpperCaseFormThenByNameAcrossLongSharedBeginnings) {
    TempFolder folder;
    const std::vector<std::string> names = {"The Beatles - Yesterday.txt",
                                            "THE BEATLES - yesterday.txt",
                                            "The Beatles - Yesterday.TXT",
                                            "The Beatles - Yes.txt",
                                            "The Beatles - Yesterday",
                                            "the beatles",
                                            "The Beatles - Yesterday (Live).txt",
                                            "b",
                                            "B",
                                            "a",
                                            "\xc3\x89\x64ith Piaf.txt",
                                            "\xc3\xa9\x64ith piaf.txt",
                                            "Edith Piaf.txt",
                                            "Zebra.txt",
                                            "\xf0\x9f\x98\x80 smile.txt",
                                            "\xe9t\xe9.txt",
                                            "ab",
                                            "aB",
                                            "Ab"};
    for (const std::string& name : names) Touch(folder, name);

    EXPECT_EQ(ValueOf(ListFolderFiles(folder.text())), PlainListingOrder(names));
}

TEST(PosixFolderListing, SubfoldersAndLinksToThemAreLeftOutOtherLinksCount) {
    TempFolder folder;
    Touch(folder, "song.txt");
    std::filesystem::create_directory(folder.path() / "sub.txt");
    std::filesystem::create_directory_symlink(folder.path() / "sub.txt", folder.path() / "link to sub.txt");
    std::filesystem::create_symlink(folder.path() / "song.txt", folder.path() / "link to song.txt");
    std::filesystem::create_symlink(folder.path() / "nowhere", folder.path() / "dangling.txt");

    EXPECT_EQ(ValueOf(ListFolderFiles(folder.text())),
              (std::vector<std::wstring>{L"dangling.txt", L"link to song.txt", L"song.txt"}));
}

TEST(PosixFolderListing, AgreesWithAPlainSortOnRandomNames) {
    const std::vector<std::string> pieces = {
        "a",    "A",   "b",        "B",        "The ",     "THE ",         "\xc3\xa9",         "\xc3\x89",
        "\xe9", " - ", "\xcf\x83", "\xce\xa3", "\xc3\x9f", "\xe1\xba\x9e", "\xf0\x9f\x98\x80", "z"};
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        TempFolder folder;
        std::vector<std::string> names;
        for (int file = 0; file < 60; ++file) {
            std::string name;
            for (std::size_t piece = 1 + random() % 8; piece > 0; --piece) name += pieces[random() % pieces.size()];
            if (std::find(names.begin(), names.end(), name) != names.end()) continue;
            names.push_back(name);
            Touch(folder, name);
        }
        const Result<std::vector<std::wstring>> listed = ListFolderFiles(folder.text());
        ASSERT_TRUE(listed);
        ASSERT_EQ(*listed, PlainListingOrder(names)) << "round " << round;
    }
}

TEST(PosixFolderListing, AFolderThatIsGoneIsAFailureNamingIt) {
    std::wstring gone;
    {
        TempFolder folder;
        gone = folder.text();
    }
    const Result<std::vector<std::wstring>> listed = ListFolderFiles(gone);
    ASSERT_FALSE(listed);
    EXPECT_TRUE(testing::Contains(listed.failure().message, gone));
}

// Names in memory: their shared beginnings end just before, at or after a multiple of eight
// bytes, are beginnings of others or differ only in letter case.
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
    EXPECT_EQ(Ordered(names), PlainListingOrder(names));
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
        ASSERT_EQ(Ordered(names), PlainListingOrder(names)) << "round " << round;
    }
}

}  // namespace
}  // namespace lyrics
