#include "common/win32/dpi.h"

namespace lyrics {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// user32's export of that name, or null on a Windows that lacks it.
template <typename Function>
Function User32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    // The cast goes through void* because FARPROC and the real signature are unrelated types.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

struct DpiFunctions {
    GetDpiForWindowFunction getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    GetDpiForSystemFunction getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
};

const DpiFunctions& Functions() {
    static const DpiFunctions functions;
    return functions;
}

UINT ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    if (!screen) return USER_DEFAULT_SCREEN_DPI;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int TwipsToPixels(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

UINT WindowDpi(HWND window) {
    if (const auto getDpiForWindow = Functions().getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    return SystemDpi();
}

UINT SystemDpi() {
    if (const auto getDpiForSystem = Functions().getDpiForSystem) return getDpiForSystem();
    return ScreenDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
    if (const auto getSystemMetricsForDpi = Functions().getSystemMetricsForDpi) return getSystemMetricsForDpi(index, dpi);
    // Before per-monitor DPI every metric is at the system DPI; scaled, it is close enough.
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
    RECT frame{0, 0, client.cx, client.cy};
    if (const auto adjustWindowRectExForDpi = Functions().adjustWindowRectExForDpi) {
        adjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    } else {
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace lyrics
