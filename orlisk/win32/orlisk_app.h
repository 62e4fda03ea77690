// OrliskApp: the running program. It owns the settings window, the real ports behind the
// opener's logic and the logic itself, and maps every event of the window to the logic's handler
// of that name. The program ends when the logic says it is to end, once no window walk
// is running below the handler.
#pragma once

#include "orlisk/orlisk_logic.h"
#include "orlisk/win32/desktop_win32.h"
#include "orlisk/win32/file_search_win32.h"
#include "orlisk/win32/media_session_win32.h"
#include "orlisk/win32/program_host_win32.h"
#include "orlisk/win32/settings_store_win32.h"
#include "orlisk/win32/settings_window.h"
#include "orlisk/win32/shell_win32.h"
#include "orlisk/win32/single_instance.h"
#include "orlisk/win32/tray_menu_win32.h"
#include "orlisk/win32/winamp_remote_win32.h"

namespace lyrics::orlisk::win32 {

class OrliskApp final {
public:
    explicit OrliskApp(const SingleInstance& singleInstance);

    // Creates the window (hidden, icon in the tray) and runs Form_Load. False when the program
    // should not go on (no window, or another Orlisk runs).
    bool Start(HINSTANCE instance);
    // The message loop; returns the program's exit code once the window is gone.
    int Run();

private:
    // Runs the logic's handler of the event, then closes the window if the program is to end.
    void OnEvent(const SettingsWindowEvent& event);
    // cmdBrowse_Click: the folder picker into txtPath; asks nothing of the logic.
    void cmdBrowse_Click();
    // Closes the window once the logic asked to end and no walk runs below the handler.
    void CloseIfEnded();

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
