#include "orlisk/win32/media_controls_runtime.h"

#include <cwchar>

namespace lyrics::orlisk::win32 {

namespace {

HMODULE LoadCombaseFromSystemFolder() {
    // Windows 7 without its loader update does not know the flag and fails; the full path of
    // the system folder does the same there.
    if (HMODULE module = ::LoadLibraryExW(L"combase.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L"\\combase.dll";
    return ::LoadLibraryExW(path.c_str(), nullptr, 0);
}

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return function != nullptr;
}

}  // namespace

WinRtRuntime::~WinRtRuntime() {
    if (!leaveAtEnd_) return;
    if (initialized_) roUninitialize_();
    if (combase_) ::FreeLibrary(combase_);
}

bool WinRtRuntime::Start() {
    combase_ = LoadCombaseFromSystemFolder();
    if (!combase_) return false;
    const bool found = Find(combase_, "RoInitialize", roInitialize_) && Find(combase_, "RoUninitialize", roUninitialize_) &&
                       Find(combase_, "RoGetActivationFactory", roGetActivationFactory_) &&
                       Find(combase_, "WindowsCreateString", createString_) &&
                       Find(combase_, "WindowsDeleteString", deleteString_) &&
                       Find(combase_, "WindowsGetStringRawBuffer", rawBuffer_);
    if (!found) return false;
    // S_FALSE: the thread was in the apartment already; it is left as many times as it joined.
    initialized_ = SUCCEEDED(roInitialize_(RO_INIT_MULTITHREADED));
    return initialized_;
}

HRESULT WinRtRuntime::Factory(const wchar_t* className, const GUID& iid, void** factory) const {
    *factory = nullptr;
    HSTRING name = nullptr;
    HRESULT result = createString_(className, static_cast<UINT32>(std::wcslen(className)), &name);
    if (FAILED(result)) return result;
    result = roGetActivationFactory_(name, iid, factory);
    deleteString_(name);
    return result;
}

std::wstring WinRtRuntime::Text(HSTRING string) const {
    if (!string) return {};
    UINT32 length = 0;
    const wchar_t* text = rawBuffer_(string, &length);
    return text ? std::wstring(text, length) : std::wstring();
}

void WinRtRuntime::Delete(HSTRING string) const {
    if (string) deleteString_(string);
}

}  // namespace lyrics::orlisk::win32
