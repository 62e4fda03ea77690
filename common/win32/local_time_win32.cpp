#include <windows.h>

#include "common/local_time.h"

namespace lyrics {

// The system's own clock and time zone, as Explorer shows them. The C library's localtime would
// follow a TZ variable instead, which other tools (or Wine, from the host) may have set to a form
// it misreads.
LocalTime CurrentLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace lyrics
