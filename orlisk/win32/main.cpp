// Orlisk.exe: starts the one Orlisk of this session and runs its message loop.
#include "common/win32/program_loop.h"
#include "orlisk/win32/orlisk_app.h"
#include "orlisk/win32/single_instance.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // A second Orlisk ends here, before it reads a setting or shows an icon, once it has asked the
    // first to show its settings window.
    const lyrics::orlisk::win32::SingleInstance singleInstance;
    if (singleInstance.AnotherIsRunning()) {
        singleInstance.AskOtherToShowSettings();
        return 0;
    }

    const lyrics::UiThread uiThread;
    lyrics::orlisk::win32::OrliskApp app(singleInstance);
    if (!app.Start(instance)) return 0;
    return app.Run();
}
