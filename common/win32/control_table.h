// ControlTemplate: one control of a form as it is drawn, with its place in twips, so that the
// form keeps its proportions at every DPI; a form's controls are a table of these in tab order.
// Creation order is Z order, which is the order Tab walks, so the table's order is the tab order;
// only a label that names a control is created right before that control instead, where screen
// readers look for a text box's name. A label takes no focus, so Tab walks the same way.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace lyrics {

struct ControlTemplate {
    int id;
    const wchar_t* name;  // the control's name, for messages and tests
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style;  // WS_VISIBLE for a control the user sees
    DWORD exStyle;
    bool bold;                     // takes the form's bold font
    int left, top, width, height;  // twips, relative to the client area
    int labelFor = 0;              // a label: the id of the control it names
    // What a screen reader calls a control whose caption says nothing ("..."); null: its caption.
    const wchar_t* accessibleName = nullptr;
};

// Creates every control of table as a child of parent, in the table's order but each naming label
// right before the control it names, at no size: the form places them once it knows its DPI.
void CreateControls(HWND parent, std::span<const ControlTemplate> table);

// The control's rectangle in the client area at dpi. The right and bottom edges come from the
// twips of the edges themselves, so neighbouring controls never drift apart or overlap by a
// rounding pixel.
RECT ControlRect(const ControlTemplate& control, UINT dpi);

// The order CreateControls creates table's controls in, as indexes into table.
std::vector<std::size_t> CreationOrder(std::span<const ControlTemplate> table);

}  // namespace lyrics
