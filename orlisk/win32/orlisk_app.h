// OrliskApp: the running program. It owns the settings window, the real ports behind the
// opener's logic and the logic itself, and turns every event of the window into the logic's
// handler of that name. The program ends when a handler answers End, once no window walk is
// running below it.
#pragma once

#include "orlisk/orlisk_logic.h"
#include "orlisk/win32/file_system_search.h"
#include "orlisk/win32/program_host.h"
#include "orlisk/win32/registry_settings_store.h"
#include "orlisk/win32/settings_window.h"
#include "orlisk/win32/shell_document.h"
#include "orlisk/win32/single_instance.h"
#include "orlisk/win32/win32_desktop.h"

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
    // Acts on a handler's answer: the window closes once no walk runs below this handler; a
    // handler inside a walk leaves it to the outer one, which checks again when it returns.
    void Follow(ProgramNext next);
    void EndIfRequested();

    SettingsWindow window_;
    Win32Desktop desktop_;
    ShellDocument shell_;
    RegistrySettingsStore store_;
    FileSystemSearch files_;
    Win32ProgramHost host_;
    OrliskLogic logic_;
    bool endRequested_ = false;
};

}  // namespace lyrics::orlisk::win32
