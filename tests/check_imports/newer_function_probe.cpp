// Imports two functions Windows 7 SP1 lacks, from DLLs it has: Windows 10's GetDpiForWindow and
// Windows 8's GetSystemTimePreciseAsFileTime.
#include <windows.h>

int main() {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    return static_cast<int>(::GetDpiForWindow(::GetDesktopWindow()) == 0 && now.dwLowDateTime == 0);
}
