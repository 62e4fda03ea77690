// A stand-in for Winamp in the end-to-end tests: one top-level window whose caption is the first
// command-line argument ("12. Artist - Song - Winamp"). A test changes the song by sending the
// window WM_SETTEXT, as Winamp changes its caption; WM_CLOSE ends the program.
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr wchar_t className[] = L"LyricsTestWinamp";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const wchar_t* caption = argv && argc > 1 ? argv[1] : L"Winamp";

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    if (!::RegisterClassExW(&windowClass)) return 1;

    const HWND window =
        ::CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW, 40, 40, 275, 116, nullptr, nullptr, instance, nullptr);
    if (argv) ::LocalFree(argv);
    if (!window) return 1;
    ::ShowWindow(window, SW_SHOWNOACTIVATE);

    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
