// Match.exe's entry point: the main window and its message loop.
#include "common/win32/program_loop.h"
#include "match/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const lyrics::UiThread uiThread;
    lyrics::match::win32::MainWindow mainWindow;
    if (!mainWindow.Create(instance)) return 1;
    ::ShowWindow(mainWindow.Hwnd(), showCommand);
    ::UpdateWindow(mainWindow.Hwnd());
    return lyrics::RunMessageLoop(mainWindow.Hwnd());
}
