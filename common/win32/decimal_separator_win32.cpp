#include "common/number_text.h"

#include <windows.h>

namespace lyrics {

wchar_t UserDecimalSeparator() {
    // Read once: a playlist is read against one setting, even if the user changes it meanwhile.
    static const wchar_t cached = [] {
        wchar_t separator[8] = {};
        // A separator of more than one character cannot be matched one character at a time; "." stays.
        if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 2) return separator[0];
        return L'.';
    }();
    return cached;
}

}  // namespace lyrics
