// The settings window's controls as the form designer laid them out: class, caption, style and
// place in twips, in tab order. The window scales these to pixels at its own DPI, so the form
// keeps its proportions on every monitor.
#pragma once

#include <windows.h>

#include <span>

namespace lyrics::orlisk::win32 {

// Control ids; cmdOK is IDOK so that Enter (and, through IDCANCEL, Esc) press it.
enum ControlId : int {
    idTxtPath = 101,
    idCmdBrowse = 102,
    idOptSize0 = 103,
    idOptSize1 = 104,
    idOptSize2 = 105,
    idChkStartup = 106,
    idCmdHelp = 107,
    idCmdOK = IDOK,
    idCmdExit = 108,
    idLblCaption = 109,
    idFraOptions = 110,
    idChkAuto = 111,
};

struct ControlLayout {
    int id;
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    bool bold;
    int left, top, width, height;  // twips, relative to the client area
};

// Client area of the window, in twips.
inline constexpr int formWidthTwips = 4365;
inline constexpr int formHeightTwips = 2190;

// Every control, in tab order (creation order is tab order for IsDialogMessage).
std::span<const ControlLayout> FormLayout();

// twips (1440 to the inch) as pixels at dpi, rounded to the nearest pixel.
inline int TwipsToPixels(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }

}  // namespace lyrics::orlisk::win32
