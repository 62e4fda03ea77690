// Match.exe's entry point: the window, and the message loop that gives it the keyboard handling
// of a dialog (Tab between controls, Enter for the default button).
#include <windows.h>

#include <commctrl.h>

#include "common/win32/com_apartment.h"
#include "match/win32/main_window.h"

namespace {

int RunMessageLoop(HWND window) {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (::IsWindow(window) && ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const lyrics::ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    lyrics::match::win32::MainWindow mainWindow;
    if (!mainWindow.Create(instance)) return 1;
    ::ShowWindow(mainWindow.Hwnd(), showCommand);
    ::UpdateWindow(mainWindow.Hwnd());
    return RunMessageLoop(mainWindow.Hwnd());
}
