// Numbers written as text, as playlists carry them.
//
// A text reads as a number when, after spaces and tabs on both sides are dropped, it is an optional
// sign followed by digits with an optional decimal part, or by a decimal part alone. The decimal
// separator is "." everywhere, and on Windows also the user's own.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lyrics {

std::optional<double> ReadsAsNumber(std::wstring_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// The rounded value when it lies in the signed 32-bit range, else nothing.
std::optional<std::int32_t> RoundToInt32(double value);

// total + addend, or nothing when the sum leaves the signed 32-bit range.
std::optional<std::int32_t> CheckedAdd(std::int32_t total, std::int32_t addend);

// The user's decimal separator besides "."; "." itself where the platform has no other.
wchar_t UserDecimalSeparator();

}  // namespace lyrics
