#include "orlisk/win32/tray_menu_win32.h"

#include "common/win32/unique_handle.h"

#include <string>

namespace lyrics::orlisk::win32 {

namespace {

UniqueHmenu BuildTrayMenu() {
    UniqueHmenu menu(::CreatePopupMenu());
    if (!menu) return menu;
    for (const MenuItem& item : kTrayMenu) {
        if (item.command == MenuCommand::None) {
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring caption(item.caption);
        ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.command), caption.c_str());
        if (item.isDefault) ::SetMenuDefaultItem(menu.get(), static_cast<UINT>(item.command), FALSE);
    }
    return menu;
}

}  // namespace

MenuCommand Win32TrayMenu::Choose() {
    if (!owner_) return MenuCommand::None;
    const UniqueHmenu menu = BuildTrayMenu();
    if (!menu) return MenuCommand::None;

    // Without the foreground the menu would not close when the user clicks elsewhere; the posted
    // WM_NULL makes the next click after it work as it should.
    ::SetForegroundWindow(owner_);
    UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;
    flags |= ::GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    const auto chosen = static_cast<unsigned>(::TrackPopupMenuEx(menu.get(), flags, anchor_.x, anchor_.y, owner_, nullptr));
    ::PostMessageW(owner_, WM_NULL, 0, 0);
    return static_cast<MenuCommand>(chosen);
}

}  // namespace lyrics::orlisk::win32
