// The tray icon's pop-up menu, built from the logic's menu table: "Exit", "Settings" (the
// default item, in bold), "Close Lyrics" and "Open Lyrics". It closes when the user clicks
// elsewhere and reports the command chosen.
#pragma once

#include "orlisk/tray_menu.h"

#include <windows.h>

namespace lyrics::orlisk::win32 {

// Shows the menu at anchor (screen coordinates) for owner and waits until it closes; None when
// the user chose nothing.
MenuCommand ShowTrayMenu(HWND owner, POINT anchor);

}  // namespace lyrics::orlisk::win32
