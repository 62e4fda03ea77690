#include "orlisk/settings_values.h"

#include "common/number_text.h"

namespace lyrics::orlisk {

namespace {

// A stored number that reads as exactly 0, 1 or 2 ("1.0" and "1e0" do, "1.6" does not);
// nothing otherwise.
std::optional<int> SmallWholeNumber(std::wstring_view text) {
    const std::optional<double> number = ReadsAsNumber(text);
    if (!number) return std::nullopt;
    for (int whole = 0; whole <= 2; ++whole) {
        if (*number == static_cast<double>(whole)) return whole;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> SizeIndexFromText(std::wstring_view text) { return SmallWholeNumber(text); }

std::optional<CheckState> CheckStateFromText(std::wstring_view text) {
    const std::optional<int> number = SmallWholeNumber(text);
    if (!number) return std::nullopt;
    return static_cast<CheckState>(*number);
}

bool FollowsMediaPlayers(std::wstring_view text) { return SmallWholeNumber(text) != 0; }

std::wstring TextOfCheckState(CheckState state) { return std::to_wstring(static_cast<int>(state)); }

std::wstring WithTrailingBackslash(std::wstring_view folder) {
    std::wstring text(folder);
    if (!text.empty() && text.back() != L'\\') text += L'\\';
    return text;
}

}  // namespace lyrics::orlisk
