#include "../number_text.h"

#include <windows.h>

namespace lyrics {

wchar_t UserDecimalSeparator() {
    static const wchar_t cached = [] {
    wchar_t separator[8] = {};
    // A separator of more than one character cannot be told apart by a single comparison; "." stays.
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 2) return separator[0];
    return L'.';
    }();
    return cached;
}

} // namespace lyrics
