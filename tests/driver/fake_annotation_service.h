// A stand-in for the system's annotation service (IAccPropServices): it records the names given
// and taken back, and answers as told. While a FakeAnnotationService::Registration lives, COM
// hands it out in this process in place of the system's own, so that a form's real code path can
// be checked where Wine's service refuses every call.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "tests/driver/owned_objects.h"

namespace lyrics::testing {

struct AnnotationCall {
    bool set = false;  // SetHwndPropStr; else ClearHwndProps
    HWND control = nullptr;
    DWORD idObject = 0;
    DWORD idChild = 0;
    bool nameProperty = false;  // the property is PROPID_ACC_NAME (the only one for ClearHwndProps)
    std::wstring name;
    bool controlExisted = false;  // the control was still a window when the call came
};

// The object lives as long as its owner; COM's reference counts are not its lifetime.
class FakeAnnotationService final : public IAccPropServices, public IClassFactory {
public:
    std::vector<AnnotationCall> calls;
    HRESULT answer = S_OK;  // what SetHwndPropStr answers

    // Registers the fake as the process's class object for CLSID_AccPropServices (COM must be
    // initialised on the thread) and takes it back at the end of the scope.
    class Registration {
    public:
        explicit Registration(FakeAnnotationService& service) {
            registered_ = ::CoRegisterClassObject(CLSID_AccPropServices, static_cast<IClassFactory*>(&service),
                                                  CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_) == S_OK;
        }
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
        ~Registration() {
            if (registered_) ::CoRevokeClassObject(cookie_);
        }
        bool Registered() const noexcept { return registered_; }

    private:
        DWORD cookie_ = 0;
        bool registered_ = false;
    };

    // IUnknown, for both interfaces.
    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IAccPropServices)) {
            *object = static_cast<IAccPropServices*>(this);
        } else if (IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }

    // IClassFactory: COM asks it for the service (IAccPropServices).
    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        return outer ? CLASS_E_NOAGGREGATION : QueryInterface(iid, object);
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }

    // IAccPropServices: the two calls the programs make, recorded.
    HRESULT WINAPI SetHwndPropStr(HWND hwnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp, LPCWSTR str) override {
        calls.push_back(AnnotationCall{true, hwnd, idObject, idChild, IsEqualGUID(idProp, PROPID_ACC_NAME) != 0, str ? str : L"",
                                       ::IsWindow(hwnd) != FALSE});
        return answer;
    }
    HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD idObject, DWORD idChild, const MSAAPROPID* props, int count) override {
        const bool onlyName = count == 1 && props && IsEqualGUID(props[0], PROPID_ACC_NAME);
        calls.push_back(AnnotationCall{false, hwnd, idObject, idChild, onlyName, L"", ::IsWindow(hwnd) != FALSE});
        return S_OK;
    }

    // The rest is never called.
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }
};

// The name a screen reader reads for window, as the system's accessibility layer gives it (the
// client object's name); empty when it gives none.
inline std::wstring AccessibleNameOf(HWND window) {
    ComRef<IAccessible> accessible;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            accessible.put_void())) ||
        !accessible)
        return L"";
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (FAILED(accessible->get_accName(self, &name))) return L"";
    const UniqueBstr owned(name);
    return owned ? std::wstring(owned.get(), ::SysStringLen(owned.get())) : L"";
}

// Whether the system's annotation service takes a name at all (Wine's refuses every call); tried
// on a window of this process, then taken back. COM must be initialised on the thread.
inline bool SystemTakesAnnotations() {
    const UniqueWindow probe(
        ::CreateWindowExW(0, L"BUTTON", L"...", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ComRef<IAccPropServices> service;
    if (!probe || FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                            service.put_void())))
        return false;
    const bool taken =
        SUCCEEDED(service->SetHwndPropStr(probe.get(), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, L"x"));
    if (taken) service->ClearHwndProps(probe.get(), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &PROPID_ACC_NAME, 1);
    return taken;
}

}  // namespace lyrics::testing
