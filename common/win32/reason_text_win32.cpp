// The reasons for failed file calls in the system's own words, as Windows programs give them:
// FormatMessageW of the Win32 error, in the language of Windows, not the C library's English.
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "common/path_text.h"
#include "common/text_codec.h"
#include "common/win32/unique_handle.h"

namespace lyrics {

namespace {

// The Win32 error a C library error number stands for, where the library maps one to it; 0 for
// the numbers that have no system words.
DWORD SystemErrorOf(int number) {
    switch (number) {
        case EACCES:
            return ERROR_ACCESS_DENIED;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOSPC:
            return ERROR_DISK_FULL;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case EMFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        default:
            return 0;
    }
}

inline void FreeLocal(wchar_t* text) noexcept { ::LocalFree(text); }
using LocalText = UniqueHandle<wchar_t*, &FreeLocal>;

// The system's message for error in the user's language; empty when it has none.
std::wstring SystemMessage(DWORD error) {
    LocalText text;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         error, 0, reinterpret_cast<wchar_t*>(text.put()), 0, nullptr);
    return length != 0 && text ? std::wstring(text.get(), length) : std::wstring();
}

}  // namespace

std::wstring SystemReason(const std::error_code& error) {
    DWORD system = 0;
    if (error.category() == std::system_category()) {
        system = static_cast<DWORD>(error.value());
    } else if (error.category() == std::generic_category()) {
        system = SystemErrorOf(error.value());
    }
    std::wstring text = system != 0 ? SystemMessage(system) : std::wstring();
    return text.empty() ? DecodeAnsi(error.message()) : text;
}

}  // namespace lyrics
