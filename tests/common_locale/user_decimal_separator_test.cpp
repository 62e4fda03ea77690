// The user's own decimal separator, read from the user's regional settings. A program reads them
// once, so this runs as a program of its own that sets the separator before the first number is
// read. It changes the user's settings and puts them back; it runs only inside scripts/wine-env,
// never against a real user's settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "common/number_text.h"
#include "tests/driver/registry.h"

namespace lyrics {
namespace {

constexpr wchar_t kInternational[] = L"Control Panel\\International";

TEST(UserDecimalSeparator, ACommaReadsBesidesThePointAndNothingElseChanges) {
    if (std::getenv("LYRICS_WINE_ENV") == nullptr)
        GTEST_SKIP() << "changes the user's regional settings: runs only under scripts/wine-env";
    const testing::RegistryValueScope separator(kInternational, L"sDecimal");
    ASSERT_TRUE(testing::SetStringValue(kInternational, L"sDecimal", L","));

    EXPECT_EQ(UserDecimalSeparator(), L',');
    EXPECT_EQ(ReadsAsNumber(L"2,5"), 2.5);
    EXPECT_EQ(ReadsAsNumber(L" -,25\t"), -0.25);
    EXPECT_EQ(ReadsAsNumber(L"2.5"), 2.5);  // "." reads everywhere
    EXPECT_EQ(ReadsAsNumber(L"2,5,1"), std::nullopt);
    EXPECT_EQ(ReadsAsNumber(L"2,5.1"), std::nullopt);
    EXPECT_EQ(ReadsAsNumber(L","), std::nullopt);
}

}  // namespace
}  // namespace lyrics
