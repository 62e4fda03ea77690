#include "common/win32/com_apartment.h"

#include <windows.h>

#include <objbase.h>

namespace lyrics {

ComApartment::ComApartment() noexcept
    : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}

ComApartment::~ComApartment() {
    if (initialized_) ::CoUninitialize();
}

}  // namespace lyrics
