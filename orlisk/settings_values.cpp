#include "orlisk/settings_values.h"

#include "common/number_text.h"

namespace lyrics::orlisk {

namespace {

// A stored number rounded to a whole one within [0, 2]; nothing otherwise.
std::optional<int> SmallWholeNumber(std::wstring_view text) {
    const std::optional<double> number = ReadsAsNumber(text);
    if (!number) return std::nullopt;
    const double rounded = RoundHalfEven(*number);
    if (!(rounded >= 0.0 && rounded <= 2.0)) return std::nullopt;
    return static_cast<int>(rounded);
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
