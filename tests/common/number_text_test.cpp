#include "common/number_text.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace lyrics {
namespace {

TEST(ReadsAsNumber, AcceptsSignDigitsAndDecimalPartWithBlanksAround) {
    const testing::Row<const wchar_t*, double> rows[] = {{L"215", 215.0}, {L"-1", -1.0},    {L"+7", 7.0}, {L" \t12.5\t ", 12.5},
                                                         {L".5", 0.5},    {L"-.25", -0.25}, {L"3.", 3.0}, {L"007", 7.0}};
    testing::ExpectEveryRow(ReadsAsNumber, rows);
}

TEST(ReadsAsNumber, RefusesEverythingElse) {
    for (const wchar_t* text : {L"", L"   ", L"-", L"+", L".", L"1 2", L"12a", L"0x10", L"1e3", L"1,5x", L"--1", L"+-1", L"12\n",
                                L"\u00a012", L"1.2.3", L"abc"}) {
        EXPECT_FALSE(ReadsAsNumber(text).has_value()) << "text: [" << std::wstring(text).size() << "]";
    }
}

TEST(ReadsAsNumber, HugeDigitStringsStillReadButDoNotFit) {
    const auto value = ReadsAsNumber(std::wstring(400, L'9'));
    ASSERT_TRUE(value.has_value());
    EXPECT_FALSE(RoundToInt32(*value).has_value());
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const testing::Row<double, double> rows[] = {{0.5, 0.0},   {1.5, 2.0},   {2.5, 2.0},    {3.5, 4.0},   {-0.5, 0.0},
                                                 {-1.5, -2.0}, {-2.5, -2.0}, {2.4999, 2.0}, {2.5001, 3.0}};
    testing::ExpectEveryRow(RoundHalfEven, rows);
}

TEST(Rounding, Int32RangeIsChecked) {
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_FALSE(RoundToInt32(2147483647.5).has_value());  // rounds up to 2^31
    EXPECT_EQ(RoundToInt32(-2147483648.5), -2147483648);   // rounds to the even -2^31
    EXPECT_FALSE(RoundToInt32(-2147483649.0).has_value());
}

TEST(CheckedAdd, SumsOutsideInt32AreNotMade) {
    EXPECT_EQ(CheckedAdd(2147483646, 1), 2147483647);
    EXPECT_FALSE(CheckedAdd(2147483647, 1).has_value());
    EXPECT_FALSE(CheckedAdd(-2147483647 - 1, -1).has_value());
    EXPECT_EQ(CheckedAdd(5, -10), -5);
}

}  // namespace
}  // namespace lyrics
