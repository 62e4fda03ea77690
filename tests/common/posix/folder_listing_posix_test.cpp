// The Linux folder listing: files only, in the order of their upper-case forms, then of the names,
// whatever the bytes of the names. The listing sorts eight bytes of the keys at a time, so names
// that agree on long beginnings, end inside such a step or differ only in letter case are the cases
// that would go wrong.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/folder_listing.h"
#include "tests/common/posix/plain_listing_order.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using testing::TempFolder;
using testing::ValueOf;

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

    EXPECT_EQ(ValueOf(ListFolderFiles(folder.text())), testing::PlainListingOrder(names));
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
        ASSERT_EQ(*listed, testing::PlainListingOrder(names)) << "round " << round;
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

}  // namespace
}  // namespace lyrics
