// What the system says for a Win32 error, in the language of Windows, without the closing full
// stop: the words the programs' messages give as the reason.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics::testing {

inline std::wstring SystemWords(DWORD error) {
    wchar_t buffer[512] = {};
    DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, buffer, 512, nullptr);
    while (length > 0 && (buffer[length - 1] == L'\n' || buffer[length - 1] == L'\r' || buffer[length - 1] == L' ' ||
                          buffer[length - 1] == L'.'))
        --length;
    return std::wstring(buffer, length);
}

}  // namespace lyrics::testing
