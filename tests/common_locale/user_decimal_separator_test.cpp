// The user's own decimal separator, read from the user's regional settings. A program reads them
// once, so this runs as a program of its own that sets the separator before the first number is
// read. It changes the user's settings and puts them back; it runs only inside scripts/wine-env,
// never against a real user's settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "common/number_text.h"

namespace lyrics {
namespace {

constexpr wchar_t kInternational[] = L"Control Panel\\International";

// Sets HKCU\Control Panel\International\sDecimal for the test's life, then restores what was there.
class DecimalSeparatorOverride {
public:
    explicit DecimalSeparatorOverride(const std::wstring& separator) {
        wchar_t previous[16] = {};
        DWORD size = sizeof previous;
        if (RegGetValueW(HKEY_CURRENT_USER, kInternational, L"sDecimal", RRF_RT_REG_SZ, nullptr, previous, &size) ==
            ERROR_SUCCESS)
            previous_ = previous;
        set_ = Write(separator);
    }
    DecimalSeparatorOverride(const DecimalSeparatorOverride&) = delete;
    DecimalSeparatorOverride& operator=(const DecimalSeparatorOverride&) = delete;
    ~DecimalSeparatorOverride() {
        if (previous_)
            Write(*previous_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kInternational, L"sDecimal");
    }
    bool set() const noexcept { return set_; }

private:
    static bool Write(const std::wstring& value) {
        const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        return RegSetKeyValueW(HKEY_CURRENT_USER, kInternational, L"sDecimal", REG_SZ, value.c_str(), bytes) == ERROR_SUCCESS;
    }

    std::optional<std::wstring> previous_;
    bool set_ = false;
};

TEST(UserDecimalSeparator, ACommaReadsBesidesThePointAndNothingElseChanges) {
    if (std::getenv("LYRICS_WINE_ENV") == nullptr)
        GTEST_SKIP() << "changes the user's regional settings: runs only under scripts/wine-env";
    const DecimalSeparatorOverride comma(L",");
    ASSERT_TRUE(comma.set());

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
