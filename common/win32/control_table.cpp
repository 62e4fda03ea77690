#include "common/win32/control_table.h"

#include "common/win32/dpi.h"

namespace lyrics {

void CreateControls(HWND parent, std::span<const ControlTemplate> table) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const ControlTemplate& control : table) {
        ::CreateWindowExW(control.exStyle, control.windowClass, control.caption, control.style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    }
}

RECT ControlRect(const ControlTemplate& control, UINT dpi) {
    return RECT{TwipsToPixels(control.left, dpi), TwipsToPixels(control.top, dpi),
                TwipsToPixels(control.left + control.width, dpi), TwipsToPixels(control.top + control.height, dpi)};
}

}  // namespace lyrics
