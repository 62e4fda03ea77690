// Match's form (frmMain): its controls in tab order with their places in twips, and the window
// around them. The window lays them out at its own DPI (common/win32/form_window.h).
#pragma once

#include <windows.h>

#include <array>

#include "common/win32/form_window.h"
#include "match/win32/match_resources.h"

namespace lyrics::match::win32 {

// Control ids. None is IDOK or IDCANCEL (1, 2): Esc must not reach any button.
inline constexpr int kIdTxtBrowse = 1001;
inline constexpr int kIdTxtOpen = 1002;
inline constexpr int kIdCmdBrowse = 1003;
inline constexpr int kIdCmdOpen = 1004;
inline constexpr int kIdLblCaption0 = 1005;
inline constexpr int kIdLblCaption1 = 1006;
inline constexpr int kIdCmdMatch = 1007;
inline constexpr int kIdCmdHelp = 1008;
inline constexpr int kIdCmdExit = 1009;
inline constexpr int kIdTxtOpen1 = 1010;

inline constexpr int kFormClientWidth = 4935;   // twips
inline constexpr int kFormClientHeight = 1350;  // twips

// Fixed border, system menu and close box; no minimise or maximise box.
inline constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

inline constexpr DWORD kTextBox = WS_CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
// BS_NOTIFY: the window learns when a button takes the focus, to show it as the one Enter presses.
inline constexpr DWORD kPushButton = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
inline constexpr DWORD kDefaultButton = WS_CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_NOTIFY;
inline constexpr DWORD kLabel = WS_CHILD | SS_LEFT | SS_NOPREFIX;

// What screen readers call the two "..." buttons, whose caption says nothing when read aloud.
inline constexpr wchar_t kCmdBrowseName[] = L"Browse for the lyrics folder";
inline constexpr wchar_t kCmdOpenName[] = L"Browse for the playlist file";

// Each label names the box in its row and is created right before it (control_table.h).
// clang-format off
inline constexpr std::array<ControlTemplate, 10> kFormControls{{
    {kIdTxtBrowse, L"txtBrowse", L"EDIT", L"", kTextBox | WS_VISIBLE, WS_EX_CLIENTEDGE, false, 1320, 120, 3135, 285},
    {kIdTxtOpen, L"txtOpen", L"EDIT", L"", kTextBox | WS_VISIBLE, WS_EX_CLIENTEDGE, false, 1320, 480, 3135, 285},
    {kIdCmdBrowse, L"cmdBrowse", L"BUTTON", L"...", kPushButton | WS_VISIBLE, 0, false, 4530, 120, 375, 255,
     0, kCmdBrowseName},
    {kIdCmdOpen, L"cmdOpen", L"BUTTON", L"...", kPushButton | WS_VISIBLE, 0, false, 4530, 480, 375, 255,
     0, kCmdOpenName},
    {kIdLblCaption0, L"lblCaption(0)", L"STATIC", L" Playlist File :", kLabel | WS_VISIBLE, 0, true, 120, 525, 1155, 195,
     kIdTxtOpen},
    {kIdLblCaption1, L"lblCaption(1)", L"STATIC", L" Lyrics Folder :", kLabel | WS_VISIBLE, 0, true, 0, 165, 1275, 195,
     kIdTxtBrowse},
    {kIdCmdMatch, L"cmdMatch", L"BUTTON", L"Match", kDefaultButton | WS_VISIBLE, 0, false, 1920, 960, 1095, 375},
    {kIdCmdHelp, L"cmdHelp", L"BUTTON", L"Help", kPushButton | WS_VISIBLE, 0, false, 60, 960, 1095, 375},
    {kIdCmdExit, L"cmdExit", L"BUTTON", L"Exit Program", kPushButton | WS_VISIBLE, 0, false, 3780, 960, 1095, 375},
    // Hidden: "Text1" until the first pick of a playlist empties it; nothing shows or reads it, but
    // it stays one of the form's controls.
    {kIdTxtOpen1, L"txtOpen1", L"EDIT", L"Text1", kTextBox, WS_EX_CLIENTEDGE, false, 4560, 960, 150, 285},
}};
// clang-format on

inline constexpr FormTemplate kMainForm{
    WindowTemplate{L"LyricsMatchMainWindow", IDI_MATCH, L"Pellanor", L"Match", kWindowStyle, kWindowExStyle}, kFormControls,
    kFormClientWidth, kFormClientHeight};

}  // namespace lyrics::match::win32
