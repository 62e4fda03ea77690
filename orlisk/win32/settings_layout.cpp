#include "orlisk/win32/settings_layout.h"

#include <array>

namespace lyrics::orlisk::win32 {

namespace {

// The frame's children were placed relative to the frame; here they are relative to the window.
constexpr int frameLeft = -90;
constexpr int frameTop = 480;

constexpr DWORD child = WS_CHILD | WS_VISIBLE;

// One control to a row, as the form designer lists them.
// clang-format off
constexpr std::array controls{
    ControlLayout{idTxtPath, L"EDIT", L"", child | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false,
                  1230, 40, 2655, 285},
    ControlLayout{idCmdBrowse, L"BUTTON", L"...", child | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, false,
                  3960, 55, 375, 255},
    ControlLayout{idOptSize0, L"BUTTON", L"Normal", child | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, false,
                  frameLeft + 240, frameTop + 300, 788, 255},
    ControlLayout{idOptSize1, L"BUTTON", L"Minimized", child | BS_AUTORADIOBUTTON, 0, false,
                  frameLeft + 1215, frameTop + 300, 983, 255},
    ControlLayout{idOptSize2, L"BUTTON", L"Maximized", child | BS_AUTORADIOBUTTON, 0, false,
                  frameLeft + 2400, frameTop + 300, 1028, 255},
    ControlLayout{idChkStartup, L"BUTTON", L"As soon as Orlisk opens (if Winamp is also open)",
                  child | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, false, frameLeft + 240, frameTop + 600, 3735, 255},
    ControlLayout{idCmdHelp, L"BUTTON", L"Help", child | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, false,
                  40, 1800, 1095, 375},
    ControlLayout{idCmdOK, L"BUTTON", L"OK", child | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, false,
                  1660, 1800, 1095, 375},
    ControlLayout{idCmdExit, L"BUTTON", L"Exit Program", child | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, false,
                  3240, 1800, 1095, 375},
    ControlLayout{idLblCaption, L"STATIC", L" Lyrics folder:", child | WS_GROUP | SS_LEFT | SS_NOPREFIX, 0, true,
                  0, 90, 1170, 195},
    ControlLayout{idFraOptions, L"BUTTON", L"Open Lyrics File...", child | WS_GROUP | BS_GROUPBOX, 0, true,
                  frameLeft, frameTop, 4575, 1215},
    ControlLayout{idChkAuto, L"BUTTON", L"Automatically when song changes",
                  child | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, false, frameLeft + 240, frameTop + 900, 2775, 255},
};
// clang-format on

}  // namespace

std::span<const ControlLayout> FormLayout() { return controls; }

}  // namespace lyrics::orlisk::win32
