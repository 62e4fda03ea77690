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

}  // namespace

void LowerCaseInPlace(std::wstring& text) {
    const locale_t locale = Utf8Locale();
    for (wchar_t& c : text) {
        if (c < 0x80) {
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
        } else if (locale != static_cast<locale_t>(nullptr)) {
            c = static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), locale));
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
