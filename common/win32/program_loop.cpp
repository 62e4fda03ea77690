#include "common/win32/program_loop.h"

#include <commctrl.h>

namespace lyrics {

UiThread::UiThread() noexcept {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
}

bool TakeDialogKey(HWND window, MSG& msg) {
    if (!::IsWindow(window) || !::IsWindowVisible(window)) return false;
    if (msg.hwnd != window && !::IsChild(window, msg.hwnd)) return false;
    return ::IsDialogMessageW(window, &msg) != FALSE;
}

int RunMessageLoop(HWND window) {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TakeDialogKey(window, msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace lyrics
