// OrliskApp: the running program. It owns the settings window, the real ports behind the
// opener's logic and the logic itself, and turns every event of the window into the logic's
// handler of that name. The program ends when the logic says it is to end, once no window walk
// is running below the handler.
#pragma once

#include "orlisk/orlisk_logic.h"
#include "orlisk/win32/file_system_search.h"
#include "orlisk/win32/media_controls.h"
#include "orlisk/win32/registry_settings_store.h"
#include "orlisk/win32/settings_window.h"
#include "orlisk/win32/shell_document.h"
#include "orlisk/win32/single_instance.h"
#include "orlisk/win32/win32_desktop.h"
#include "orlisk/win32/win32_program_host.h"
#include "orlisk/win32/win32_tray_menu.h"
#include "orlisk/win32/win32_winamp_remote.h"

namespace lyrics::orlisk::win32 {

class OrliskApp final : public SettingsWindowEvents {
public:
    explicit OrliskApp(const SingleInstance& singleInstance);

    // Creates the window (hidden, icon in the tray) and runs Form_Load. False when the program
    // should not go on (no window, or another Orlisk runs).
    bool Start(HINSTANCE instance);
    // The message loop; returns the program's exit code once the window is gone.
    int Run();

    void cmdBrowse_Click() override;
    void cmdOK_Click() override;
    void cmdExit_Click() override;
    void cmdHelp_Click() override;
    void chkStartup_Click() override;
    void chkAuto_Click() override;
    void tmrAuto_Timer() override;
    void cSysTray_MouseUp(int buttonCode, POINT anchor) override;

private:
    // Runs one of the logic's handlers, then closes the window if the program is to end.
    template <typename Result, typename... Params, typename... Args>
    void Dispatch(Result (OrliskLogic::*handler)(Params...), Args... args);

    SettingsWindow window_;
    Win32Desktop desktop_;
    ShellDocument shell_;
    RegistrySettingsStore store_;
    FileSystemSearch files_;
    Win32ProgramHost host_;
    Win32TrayMenu trayMenu_;
    Win32WinampRemote winamp_;
    MediaControls media_;
    OrliskLogic logic_;
};

}  // namespace lyrics::orlisk::win32
