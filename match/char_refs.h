// Character references in Winamp 3 (.b4s) titles.
//
// CharRefs() holds 133 references in a fixed order: the five named ones ("&quot;", "&amp;",
// "&apos;", "&lt;", "&gt;"), then "&#x80;" to "&#xff;", each replaced by the lower-case form of its
// Windows-1252 character. DecodeCharRefs replaces, again and again, the leftmost occurrence of the
// lowest-numbered reference present (letter case ignored) until none is left; text made by a
// replacement is decoded again, so "&amp;lt;" gives "<".
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lyrics::match {

struct CharRef {
    std::wstring reference;
    wchar_t character;
};

using CharRefTable = std::array<CharRef, 133>;

const CharRefTable& CharRefs();

std::wstring DecodeCharRefs(std::wstring_view title);

}  // namespace lyrics::match
