// Orlisk.exe: starts the one Orlisk of this session and runs its message loop.
#include "orlisk/win32/orlisk_app.h"
#include "orlisk/win32/single_instance.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

namespace {

// The folder picker needs COM in a single-threaded apartment for the life of the program.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }

private:
    bool initialised_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // A second Orlisk ends here, before it reads a setting or shows an icon.
    const lyrics::orlisk::win32::SingleInstance singleInstance;
    if (singleInstance.AnotherIsRunning()) return 0;

    const ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    lyrics::orlisk::win32::OrliskApp app(singleInstance);
    if (!app.Start(instance)) return 0;
    return app.Run();
}
