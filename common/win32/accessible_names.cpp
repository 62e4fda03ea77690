#include "common/win32/accessible_names.h"

#include <algorithm>

namespace lyrics {

bool AccessibleNames::Set(HWND control, const wchar_t* name) {
    if (!control || !name) return false;
    if (!service_) {
        ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                           reinterpret_cast<void**>(service_.put()));
        if (!service_) return false;
    }
    if (FAILED(service_.get()->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name)))
        return false;
    if (std::find(named_.begin(), named_.end(), control) == named_.end()) named_.push_back(control);
    return true;
}

void AccessibleNames::Clear() noexcept {
    if (!service_) return;
    for (const HWND control : named_) {
        service_.get()->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &PROPID_ACC_NAME, 1);
    }
    named_.clear();
}

}  // namespace lyrics
