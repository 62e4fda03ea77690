// ControlTemplate: one control of a form as it is drawn, with its place in twips, so that the
// form keeps its proportions at every DPI; a form's controls are a table of these in tab order.
// Creation order is Z order, which is the order Tab walks, so the table's order is the tab order.
#pragma once

#include <windows.h>

#include <span>

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
};

// Creates every control of table as a child of parent, in the table's order, at no size: the
// form places them once it knows its DPI.
void CreateControls(HWND parent, std::span<const ControlTemplate> table);

// The control's rectangle in the client area at dpi. The right and bottom edges come from the
// twips of the edges themselves, so neighbouring controls never drift apart or overlap by a
// rounding pixel.
RECT ControlRect(const ControlTemplate& control, UINT dpi);

}  // namespace lyrics
