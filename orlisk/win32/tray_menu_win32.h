// Win32TrayMenu: the logic's TrayMenu as the real pop-up menu, built from the logic's menu table:
// "Exit", "Settings" (the default item, in bold), "Close Lyrics" and "Open Lyrics". It shows
// where the tray icon was clicked, closes when the user clicks elsewhere and reports the
// command chosen.
#pragma once

#include "orlisk/tray_menu.h"

#include <windows.h>

namespace lyrics::orlisk::win32 {

class Win32TrayMenu final : public TrayMenu {
public:
    // Where the next menu shows, given with each tray event before the logic handles it: the
    // window that owns the tray icon, and the anchor of the click in screen pixels.
    void PlaceAt(HWND owner, POINT anchor) noexcept {
        owner_ = owner;
        anchor_ = anchor;
    }

    // Waits until the menu closes; None when the user chose nothing or there is no owner.
    MenuCommand Choose() override;

private:
    HWND owner_ = nullptr;
    POINT anchor_{};
};

}  // namespace lyrics::orlisk::win32
