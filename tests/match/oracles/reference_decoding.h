// The reference decoding rule of char_refs.h, written as plainly as it reads, for the unit tests and
// the fuzz target to hold DecodeCharRefs against: find the lowest-numbered table entry present in
// the title (letter case ignored), replace its leftmost occurrence by its character, and start again
// from entry 0, until no entry is present. Slow on purpose: it searches the whole title for every
// entry each time.
#pragma once

#include <string>
#include <string_view>

namespace lyrics::match::oracles {

std::wstring ReferenceDecodeCharRefs(std::wstring_view title);

}  // namespace lyrics::match::oracles
