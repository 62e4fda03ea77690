#include "common/win32/control_table.h"

#include "common/win32/dpi.h"

namespace lyrics {

namespace {

// A label that goes right before the control it names: one that names a control of the table
// which names nothing itself. Any other label keeps its place in the table's order.
bool NamesAControlOf(const ControlTemplate& label, std::span<const ControlTemplate> table) {
    if (label.labelFor == 0) return false;
    for (const ControlTemplate& control : table)
        if (control.id == label.labelFor) return control.labelFor == 0;
    return false;
}

}  // namespace

std::vector<std::size_t> CreationOrder(std::span<const ControlTemplate> table) {
    std::vector<std::size_t> order;
    order.reserve(table.size());
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (NamesAControlOf(table[index], table)) continue;  // comes with the control it names
        for (std::size_t label = 0; label < table.size(); ++label) {
            if (table[label].labelFor == table[index].id && NamesAControlOf(table[label], table)) order.push_back(label);
        }
        order.push_back(index);
    }
    return order;
}

void CreateControls(HWND parent, std::span<const ControlTemplate> table) {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const std::size_t index : CreationOrder(table)) {
        const ControlTemplate& control = table[index];
        ::CreateWindowExW(control.exStyle, control.windowClass, control.caption, control.style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    }
}

RECT ControlRect(const ControlTemplate& control, UINT dpi) {
    return RECT{TwipsToPixels(control.left, dpi), TwipsToPixels(control.top, dpi),
                TwipsToPixels(control.left + control.width, dpi), TwipsToPixels(control.top + control.height, dpi)};
}

}  // namespace lyrics
