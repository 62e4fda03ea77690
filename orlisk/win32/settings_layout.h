// Orlisk's settings form (frmMain): its controls in tab order with their places in twips, and the
// window around them. The window lays them out at its own DPI (common/win32/form_window.h).
#pragma once

#include <windows.h>

#include <array>

#include "common/win32/form_window.h"
#include "orlisk/settings_controls.h"
#include "orlisk/win32/orlisk_resources.h"

namespace lyrics::orlisk::win32 {

// Control ids; cmdOK is IDOK so that Enter (and, through IDCANCEL, Esc) press it.
inline constexpr int kIdTxtPath = 101;
inline constexpr int kIdCmdBrowse = 102;
inline constexpr int kIdOptSize0 = 103;
inline constexpr int kIdOptSize1 = 104;
inline constexpr int kIdOptSize2 = 105;
inline constexpr int kIdChkStartup = 106;
inline constexpr int kIdCmdHelp = 107;
inline constexpr int kIdCmdOK = IDOK;
inline constexpr int kIdCmdExit = 108;
inline constexpr int kIdLblCaption = 109;
inline constexpr int kIdFraOptions = 110;
inline constexpr int kIdChkAuto = 111;

inline constexpr int kFormWidthTwips = 4365;
inline constexpr int kFormHeightTwips = 2190;

// No WS_CLIPCHILDREN: the frame paints only its border and caption, so the form must paint the
// face colour inside it.
inline constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// The frame's children are placed relative to the frame; here they are relative to the window.
inline constexpr int kFrameLeft = -90;
inline constexpr int kFrameTop = 480;

inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// What screen readers call the "..." button, whose caption says nothing when read aloud.
inline constexpr wchar_t kCmdBrowseName[] = L"Browse for the lyrics folder";

// The label names the folder box and is created right before it (control_table.h); it sizes
// itself to its text.
// clang-format off
inline constexpr std::array<ControlTemplate, 12> kFormControls{{
    {kIdTxtPath, L"txtPath", L"EDIT", L"", kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false,
     1230, 40, 2655, 285},
    {kIdCmdBrowse, L"cmdBrowse", L"BUTTON", L"...", kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, false,
     3960, 55, 375, 255, 0, kCmdBrowseName},
    {kIdOptSize0, L"optSize(0)", L"BUTTON", L"Normal", kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, false,
     kFrameLeft + 240, kFrameTop + 300, 788, 255},
    {kIdOptSize1, L"optSize(1)", L"BUTTON", L"Minimized", kChild | BS_AUTORADIOBUTTON, 0, false,
     kFrameLeft + 1215, kFrameTop + 300, 983, 255},
    {kIdOptSize2, L"optSize(2)", L"BUTTON", L"Maximized", kChild | BS_AUTORADIOBUTTON, 0, false,
     kFrameLeft + 2400, kFrameTop + 300, 1028, 255},
    {kIdChkStartup, L"chkStartup", L"BUTTON", L"As soon as Orlisk opens (if Winamp is also open)",
     kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, false, kFrameLeft + 240, kFrameTop + 600, 3735, 255},
    {kIdCmdHelp, L"cmdHelp", L"BUTTON", L"Help", kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, false,
     40, 1800, 1095, 375},
    {kIdCmdOK, L"cmdOK", L"BUTTON", L"OK", kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, false,
     1660, 1800, 1095, 375},
    {kIdCmdExit, L"cmdExit", L"BUTTON", L"Exit Program", kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, false,
     3240, 1800, 1095, 375},
    {kIdLblCaption, L"lblCaption", L"STATIC", L" Lyrics folder:", kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX, 0, true,
     0, 90, 1170, 195, kIdTxtPath},
    {kIdFraOptions, L"fraOptions", L"BUTTON", L"Open Lyrics File...", kChild | WS_GROUP | BS_GROUPBOX, 0, true,
     kFrameLeft, kFrameTop, 4575, 1215},
    {kIdChkAuto, L"chkAuto", L"BUTTON", L"Automatically when song changes",
     kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, false, kFrameLeft + 240, kFrameTop + 900, 2775, 255},
}};
// clang-format on

inline constexpr FormTemplate kSettingsForm{
    WindowTemplate{L"OrliskSettingsWindow", IDI_ORLISK, kSettingsCaption.data(), L"Orlisk", kWindowStyle, kWindowExStyle},
    kFormControls, kFormWidthTwips, kFormHeightTwips};

}  // namespace lyrics::orlisk::win32
