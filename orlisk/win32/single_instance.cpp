#include "orlisk/win32/single_instance.h"

#include "orlisk/win32/settings_layout.h"

namespace lyrics::orlisk::win32 {

namespace {

// "Local\": one Orlisk per logged-on session, so that fast user switching gives each user theirs.
constexpr wchar_t kMutexName[] = L"Local\\Orlisk.LyricsOpener.SingleInstance";

}  // namespace

UINT ShowSettingsMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"Orlisk.LyricsOpener.ShowSettings");
    return message;
}

void SingleInstance::AskOtherToShowSettings() const {
    const HWND other = ::FindWindowW(kSettingsForm.window.className, nullptr);
    if (!other) return;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(other, &processId);
    // The window may take the foreground only with the leave of the program the user started.
    ::AllowSetForegroundWindow(processId);
    ::PostMessageW(other, ShowSettingsMessage(), 0, 0);
}

SingleInstance::SingleInstance() {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, kMutexName));
    // GetLastError is read at once: it is only meaningful straight after CreateMutexW. A mutex that
    // could not be created at all (no rights on the name) also means someone else holds it.
    const DWORD error = ::GetLastError();
    anotherIsRunning_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

}  // namespace lyrics::orlisk::win32
