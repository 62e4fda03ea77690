#include "orlisk/win32/single_instance.h"

namespace lyrics::orlisk::win32 {

namespace {

// "Local\": one Orlisk per logged-on session, so that fast user switching gives each user theirs.
constexpr wchar_t kMutexName[] = L"Local\\Orlisk.LyricsOpener.SingleInstance";

}  // namespace

SingleInstance::SingleInstance() {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, kMutexName));
    // GetLastError is read at once: it is only meaningful straight after CreateMutexW. A mutex that
    // could not be created at all (no rights on the name) also means someone else holds it.
    const DWORD error = ::GetLastError();
    anotherIsRunning_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
}

}  // namespace lyrics::orlisk::win32
