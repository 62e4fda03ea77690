// Match.exe's entry point: the window, and the message loop that gives it the keyboard handling
// of a dialog (Tab between controls, Enter for the default button).
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "main_window.h"

namespace {

// The shell's folder picker needs a single-threaded COM apartment for as long as it can be shown.
class ComApartment {
public:
    ComApartment() noexcept
        : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized_) ::CoUninitialize();
    }

private:
    bool initialized_;
};

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
    const ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    if (!match::MainWindow::Register(instance)) return 1;
    match::MainWindow mainWindow;
    if (!mainWindow.Create(instance)) return 1;
    ::ShowWindow(mainWindow.Handle(), showCommand);
    ::UpdateWindow(mainWindow.Handle());
    return RunMessageLoop(mainWindow.Handle());
}
