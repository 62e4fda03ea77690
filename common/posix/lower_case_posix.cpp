#include "common/lower_case.h"

#include <locale.h>
#include <wctype.h>
#include <clocale>
#include <cwctype>

namespace lyrics {

namespace {

// A private UTF-8 locale, so that the result never depends on what the program's global locale is.
locale_t Utf8Locale() {
    static const locale_t locale = [] {
        locale_t made = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (made == static_cast<locale_t>(nullptr))
            made = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(nullptr));
        return made;
    }();
    return locale;
}

// A capital's small letter counts only when the two form a one-to-one pair, the small letter's own
// capital being that capital: the Kelvin sign, "İ" or "ẞ" stay as they are, as Windows'
// CharLowerBuffW leaves them, so that a title matches the same files on both systems.
wchar_t OneToOneLower(wchar_t c, locale_t locale) {
    const wint_t lower = towlower_l(static_cast<wint_t>(c), locale);
    return lower != static_cast<wint_t>(c) && towupper_l(lower, locale) == static_cast<wint_t>(c) ? static_cast<wchar_t>(lower)
                                                                                                  : c;
}

// Latin, Greek, Cyrillic and the other scripts below U+0800 from a table made once: titles and
// names are lower-cased by the hundred thousand, and the check of the pair costs a second call.
constexpr wchar_t kTableEnd = 0x800;

struct SmallLetters {
    wchar_t of[kTableEnd];
};

const SmallLetters& LowTable(locale_t locale) {
    static const SmallLetters table = [locale] {
        SmallLetters made{};
        for (wchar_t c = 0; c < kTableEnd; ++c)
            made.of[c] = locale != static_cast<locale_t>(nullptr) ? OneToOneLower(c, locale) : c;
        return made;
    }();
    return table;
}

}  // namespace

void LowerCaseInPlace(std::wstring& text) {
    const locale_t locale = Utf8Locale();
    const SmallLetters& low = LowTable(locale);
    for (wchar_t& c : text) {
        if (c < 0x80) {
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
        } else if (c < kTableEnd) {
            c = low.of[c];
        } else if (locale != static_cast<locale_t>(nullptr)) {
            c = OneToOneLower(c, locale);
        }
    }
}

std::wstring UpperCase(std::wstring_view text) {
    const locale_t locale = Utf8Locale();
    std::wstring out(text);
    for (wchar_t& c : out) {
        if (c < 0x80) {
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - (L'a' - L'A'));
        } else if (locale != static_cast<locale_t>(nullptr)) {
            c = static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), locale));
        }
    }
    return out;
}

}  // namespace lyrics
