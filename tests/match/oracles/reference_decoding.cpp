#include "tests/match/oracles/reference_decoding.h"

#include "common/lower_case.h"
#include "match/char_refs.h"

namespace lyrics::match::oracles {

std::wstring ReferenceDecodeCharRefs(std::wstring_view title) {
    const CharRefTable& table = CharRefs();
    std::wstring decoded(title);
    std::size_t entry = 0;
    while (entry < table.size()) {
        // Lower-casing keeps positions: one character gives one character.
        const std::size_t at = LowerCase(decoded).find(LowerCase(table[entry].reference));
        if (at == std::wstring::npos) {
            ++entry;
            continue;
        }
        decoded.replace(at, table[entry].reference.size(), 1, table[entry].character);
        entry = 0;
    }
    return decoded;
}

}  // namespace lyrics::match::oracles
