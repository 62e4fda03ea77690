// Imports from shcore.dll, which Windows 7 SP1 does not have.
#include <windows.h>

#include <shellscalingapi.h>

int main() {
    UINT x = 0, y = 0;
    const HMONITOR monitor = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return FAILED(::GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) ? 1 : 0;
}
