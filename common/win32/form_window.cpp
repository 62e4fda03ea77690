#include "common/win32/form_window.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "common/win32/dpi.h"
#include "common/win32/unique_handle.h"
#include "common/win32/window_text.h"

namespace lyrics {

void FormWindow::BuildForm() {
    CreateControls(Hwnd(), form_.controls);
    for (const ControlTemplate& control : form_.controls) {
        if (control.accessibleName) accessibleNames_.Set(Control(control.id), control.accessibleName);
    }
    ApplyDpi(WindowDpi(Hwnd()));
}

void FormWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
    // The controls switch to the new fonts before the old ones are deleted.
    DialogFonts fonts = MakeDialogFonts(dpi_);
    for (const ControlTemplate& control : form_.controls) {
        ::SendMessageW(Control(control.id), WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(control.bold)), FALSE);
    }
    fonts_ = std::move(fonts);

    for (const ControlTemplate& control : form_.controls) {
        const HWND window = Control(control.id);
        if (!window) continue;
        const RECT rect = FitControl(control, ControlRect(control, dpi_), fonts_.Get(control.bold));
        ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

RECT FormWindow::FitControl(const ControlTemplate& control, const RECT& rect, HFONT font) const {
    // Labels fit their text, as the form's auto-sized labels do, so a wider font never cuts them off.
    return std::wstring_view(control.windowClass) == L"STATIC" ? FittedToCaption(control, rect, font) : rect;
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            // The controls still exist here; the names are taken back before they go.
            accessibleNames_.Clear();
            return DefaultHandling(message, wParam, lParam);
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

void FormWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    // The suggested rectangle keeps the window where the user dragged it; its size is the form's
    // own at the new DPI, so that rounding in the system's guess cannot clip the form.
    const SIZE size = WindowSize();
    ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE FormWindow::WindowSize() const {
    const SIZE client{TwipsToPixels(form_.clientWidth, dpi_), TwipsToPixels(form_.clientHeight, dpi_)};
    return WindowSizeForClient(client, form_.window.style, form_.window.exStyle, dpi_);
}

void FormWindow::SizeToForm() {
    const SIZE size = WindowSize();
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::CentreOnMonitor() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    const RECT& work = monitor.rcWork;
    const int left = work.left + (work.right - work.left - (window.right - window.left)) / 2;
    const int top = work.top + (work.bottom - work.top - (window.bottom - window.top)) / 2;
    ::SetWindowPos(Hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT FormWindow::FittedToCaption(const ControlTemplate& control, const RECT& rect, HFONT font) {
    SIZE text{};
    if (!MeasureText(font, control.caption, text)) return rect;
    return RECT{rect.left, rect.top, rect.left + text.cx, rect.top + std::max<LONG>(text.cy, rect.bottom - rect.top)};
}

bool FormWindow::MeasureText(HFONT font, const wchar_t* text, SIZE& extent) {
    const WindowDc screen;
    if (!screen.get()) return false;
    const ObjectSelection selection(screen.get(), font);
    return ::GetTextExtentPoint32W(screen.get(), text, static_cast<int>(std::wcslen(text)), &extent) != FALSE;
}

}  // namespace lyrics
