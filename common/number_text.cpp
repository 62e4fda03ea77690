#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace lyrics {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::optional<double> ReadsAsNumber(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

    std::string ascii;  // the number rewritten for from_chars: digits, one ".", no sign
    ascii.reserve(text.size() + 1);
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    std::size_t integerDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ascii += static_cast<char>(text[i]);
        ++i, ++integerDigits;
    }
    std::size_t fractionDigits = 0;
    bool hasSeparator = false;
    if (i < text.size() && (text[i] == L'.' || text[i] == UserDecimalSeparator())) {
        hasSeparator = true;
        ascii += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ascii += static_cast<char>(text[i]);
            ++i, ++fractionDigits;
        }
    }
    if (i != text.size()) return std::nullopt;
    if (integerDigits == 0 && fractionDigits == 0) return std::nullopt;
    if (integerDigits == 0) ascii.insert(ascii.begin(), '0');
    if (hasSeparator && fractionDigits == 0) ascii += '0';

    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (end != ascii.data() + ascii.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range)
        value = HUGE_VAL;  // huge digit strings still read as numbers
    else if (error != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double floor = std::floor(value);
    const double difference = value - floor;
    if (difference < 0.5) return floor;
    if (difference > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<std::int32_t> RoundToInt32(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> CheckedAdd(std::int32_t total, std::int32_t addend) {
    const std::int64_t sum = static_cast<std::int64_t>(total) + addend;
    if (sum < INT32_MIN || sum > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(sum);
}

}  // namespace lyrics
