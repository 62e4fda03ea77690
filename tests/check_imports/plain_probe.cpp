// Imports only what Windows 7 SP1 has, newer functions looked up at run time as the programs do.
#include <windows.h>

int main() {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return getDpiForWindow ? static_cast<int>(getDpiForWindow(::GetDesktopWindow()) == 0) : ::GetSystemMetrics(SM_CXSCREEN) < 0;
}
