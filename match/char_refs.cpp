#include "match/char_refs.h"

#include "common/text_codec.h"

namespace lyrics::match {

namespace {

// The small letter of a Windows-1252 capital, fixed here rather than asked of the system, so the
// table is the same on every machine.
wchar_t SmallLetterOf(wchar_t c) {
    if ((c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDE)) return static_cast<wchar_t>(c + 0x20);
    switch (c) {
        case 0x0160:
            return 0x0161;  // S caron
        case 0x0152:
            return 0x0153;  // OE
        case 0x017D:
            return 0x017E;  // Z caron
        case 0x0178:
            return 0x00FF;  // Y diaeresis
        default:
            return c;
    }
}

CharRefTable BuildCharRefTable() {
    CharRefTable table{{
        {L"&quot;", L'"'},
        {L"&amp;", L'&'},
        {L"&apos;", L'\''},
        {L"&lt;", L'<'},
        {L"&gt;", L'>'},
    }};
    constexpr wchar_t kHexDigits[] = L"0123456789abcdef";
    for (unsigned code = 0x80; code <= 0xFF; ++code) {
        std::wstring reference = L"&#x";
        reference += kHexDigits[code >> 4];
        reference += kHexDigits[code & 0xF];
        reference += L';';
        table[5 + code - 0x80] = CharRef{std::move(reference), SmallLetterOf(Windows1252Char(static_cast<unsigned char>(code)))};
    }
    return table;
}

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c; }

int HexValue(wchar_t c) {
    c = AsciiLower(c);
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (AsciiLower(text[i]) != lowerPrefix[i]) return false;
    }
    return true;
}

// The table entry whose reference starts text (at an "&"), or -1. References cannot overlap: each
// starts with "&" and holds no other "&", and ends at its only ";".
int EntryAt(std::wstring_view text) {
    const CharRefTable& table = CharRefs();
    for (int entry = 0; entry < 5; ++entry) {
        if (StartsWithIgnoringCase(text, table[static_cast<std::size_t>(entry)].reference)) return entry;
    }
    if (text.size() >= 6 && StartsWithIgnoringCase(text, L"&#x") && text[5] == L';') {
        const int high = HexValue(text[3]);
        const int low = HexValue(text[4]);
        if (high >= 8 && low >= 0) return 5 + (high * 16 + low) - 0x80;
    }
    return -1;
}

}  // namespace

const CharRefTable& CharRefs() {
    static const CharRefTable table = BuildCharRefTable();
    return table;
}

// One pass from left to right gives the same text as the restart-from-entry-0 rule: replacements
// never overlap, and the only replacement that can start a new reference is "&amp;", whose "&" can
// only begin a reference made of the original text right after it. So after "&amp;" the scan
// resumes on the "&" it produced.
std::wstring DecodeCharRefs(std::wstring_view title) {
    if (title.find(L'&') == std::wstring_view::npos) return std::wstring(title);
    const CharRefTable& table = CharRefs();
    std::wstring work(title);
    std::wstring out;
    out.reserve(work.size());
    std::size_t i = 0;
    while (i < work.size()) {
        if (work[i] != L'&') {
            out += work[i++];
            continue;
        }
        const int entry = EntryAt(std::wstring_view(work).substr(i));
        if (entry < 0) {
            out += work[i++];
            continue;
        }
        const CharRef& ref = table[static_cast<std::size_t>(entry)];
        i += ref.reference.size();
        if (ref.character == L'&') {
            work[--i] = L'&';  // the produced "&" is looked at again
        } else {
            out += ref.character;
        }
    }
    return out;
}

}  // namespace lyrics::match
