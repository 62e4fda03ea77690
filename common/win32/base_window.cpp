#include "common/win32/base_window.h"

#include <exception>

#include "common/win32/handler_failure.h"

namespace lyrics {

namespace {

bool RegisterWindowClass(HINSTANCE instance, const WindowTemplate& window, WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(window.iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(window.iconId), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = window.className;
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

BaseWindow::~BaseWindow() {
    if (!hwnd_) return;
    const HWND hwnd = hwnd_;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
}

bool BaseWindow::CreateFromTemplate(HINSTANCE instance, const WindowTemplate& window, POINT position, SIZE size) {
    if (!RegisterWindowClass(instance, window, WindowProc)) return false;
    programName_ = window.programName;
    return ::CreateWindowExW(window.exStyle, window.className, window.caption, window.style, position.x, position.y, size.cx,
                             size.cy, nullptr, nullptr, instance, this) != nullptr;
}

LRESULT BaseWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void BaseWindow::Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

HINSTANCE BaseWindow::Instance() const { return reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)); }

LRESULT CALLBACK BaseWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<BaseWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportHandlerFailure(hwnd, self->programName_, message, wParam, lParam, std::current_exception());
        // A window that failed to build itself is not shown half made.
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace lyrics
