// The layout of frmMain in twips, as the form was drawn, and its conversion to pixels.
//
// Positions stay in twips (1440 to the inch) until a window's DPI is known, so the form keeps its
// proportions on every monitor. The table is in tab order: controls are created in this order,
// which makes it their Z order and so the order Tab walks.
#pragma once

#include <windows.h>

#include <array>

#include "resource_ids.h"

namespace match {

inline constexpr int kFormClientWidth = 4935;   // twips
inline constexpr int kFormClientHeight = 1350;  // twips

enum class ControlKind { TextBox, Button, DefaultButton, Label };

struct ControlSpec {
    int id;
    const wchar_t* name;  // the control's name on the form, for messages and tests
    ControlKind kind;
    const wchar_t* text;
    int left, top, width, height;  // twips
    bool visible;
};

inline constexpr std::array<ControlSpec, 10> kFormControls{{
    {IDC_TXTBROWSE, L"txtBrowse", ControlKind::TextBox, L"", 1320, 120, 3135, 285, true},
    {IDC_TXTOPEN, L"txtOpen", ControlKind::TextBox, L"", 1320, 480, 3135, 285, true},
    {IDC_CMDBROWSE, L"cmdBrowse", ControlKind::Button, L"...", 4530, 120, 375, 255, true},
    {IDC_CMDOPEN, L"cmdOpen", ControlKind::Button, L"...", 4530, 480, 375, 255, true},
    {IDC_LBLCAPTION0, L"lblCaption(0)", ControlKind::Label, L" Playlist File :", 120, 525, 1155, 195, true},
    {IDC_LBLCAPTION1, L"lblCaption(1)", ControlKind::Label, L" Lyrics Folder :", 0, 165, 1275, 195, true},
    {IDC_CMDMATCH, L"cmdMatch", ControlKind::DefaultButton, L"Match", 1920, 960, 1095, 375, true},
    {IDC_CMDHELP, L"cmdHelp", ControlKind::Button, L"Help", 60, 960, 1095, 375, true},
    {IDC_CMDEXIT, L"cmdExit", ControlKind::Button, L"Exit Program", 3780, 960, 1095, 375, true},
    // Scratch box of the playlist picker in the original form; kept hidden and empty.
    {IDC_TXTOPEN1, L"txtOpen1", ControlKind::TextBox, L"", 4560, 960, 150, 285, false},
}};

// The form's font: the face every control uses, at 8.25 points; labels take it bold.
inline constexpr const wchar_t* kFormFontFace = L"MS Sans Serif";
inline constexpr int kFormFontCentipoints = 825;

// Twips to pixels at dpi, rounded to the nearest pixel.
int TwipsToPixels(int twips, UINT dpi);

// A control's rectangle in the window's client area at dpi, before labels size themselves.
RECT ControlRect(const ControlSpec& spec, UINT dpi);

// The font height (a negative LOGFONT height, in pixels) of the form's font at dpi.
int FormFontHeight(UINT dpi);

}  // namespace match
