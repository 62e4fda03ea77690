// The one lower-casing of the project: every comparison that ignores letter case goes through it.
// On Windows the system's mapping, elsewhere the C library's under a UTF-8 locale. One character
// maps to one character, so lengths and positions survive lower-casing, and only where the two form
// a one-to-one pair (the small letter's capital is the character itself): every letter of Greek,
// Cyrillic, Latin and the other cased scripts, while the Kelvin sign, "İ" and "ẞ" stay as they are,
// the same on both systems.
#pragma once

#include <string>
#include <string_view>

namespace lyrics {

// Lower-cases text in place, for callers that already own a copy.
void LowerCaseInPlace(std::wstring& text);

inline std::wstring LowerCase(std::wstring_view text) {
    std::wstring out(text);
    LowerCaseInPlace(out);
    return out;
}

// Upper-case form, used only to order folder listings where the system gives no order of its own.
std::wstring UpperCase(std::wstring_view text);

}  // namespace lyrics
