// The Windows Runtime functions the media controls need, looked up at run time in combase.dll
// from the system folder, so that Orlisk still starts on Windows 7 (which has no combase.dll):
// a default search would load a combase.dll planted beside the program instead.
#pragma once

#include <windows.h>

#include <hstring.h>
#include <roapi.h>

#include <string>
#include <utility>

#include "common/win32/unique_handle.h"

namespace lyrics::orlisk::win32 {

class WinRtRuntime {
public:
    WinRtRuntime() = default;
    WinRtRuntime(const WinRtRuntime&) = delete;
    WinRtRuntime& operator=(const WinRtRuntime&) = delete;
    // After LeaveAtEnd, takes the thread that started it out of the apartment and lets
    // combase.dll go; otherwise leaves both for the life of the process. Under Wine, the last
    // thread leaving the multithreaded apartment while the program runs on has been seen to
    // stop the Notepads that Orlisk later asks to close from asking to save their edits.
    ~WinRtRuntime();
    // Called when the program ends, the only time the apartment is left.
    void LeaveAtEnd() noexcept { leaveAtEnd_ = true; }

    // Loads combase.dll and its functions, and joins the calling thread to the multithreaded
    // apartment. False where Windows has no Runtime.
    bool Start();
    // The activation factory of a class, as the interface iid; nothing when the class is unknown.
    HRESULT Factory(const wchar_t* className, const GUID& iid, void** factory) const;
    // A string's text; empty for the null string.
    std::wstring Text(HSTRING string) const;
    void Delete(HSTRING string) const;

private:
    using RoInitializeFn = HRESULT(WINAPI*)(RO_INIT_TYPE);
    using RoUninitializeFn = void(WINAPI*)();
    using RoGetActivationFactoryFn = HRESULT(WINAPI*)(HSTRING, REFIID, void**);
    using WindowsCreateStringFn = HRESULT(WINAPI*)(PCNZWCH, UINT32, HSTRING*);
    using WindowsDeleteStringFn = HRESULT(WINAPI*)(HSTRING);
    using WindowsGetStringRawBufferFn = PCWSTR(WINAPI*)(HSTRING, UINT32*);

    HMODULE combase_ = nullptr;
    bool initialized_ = false;
    bool leaveAtEnd_ = false;
    RoInitializeFn roInitialize_ = nullptr;
    RoUninitializeFn roUninitialize_ = nullptr;
    RoGetActivationFactoryFn roGetActivationFactory_ = nullptr;
    WindowsCreateStringFn createString_ = nullptr;
    WindowsDeleteStringFn deleteString_ = nullptr;
    WindowsGetStringRawBufferFn rawBuffer_ = nullptr;
};

// Owns one HSTRING handed out by a getter; deleted through the runtime when it goes.
class OwnedHstring {
public:
    explicit OwnedHstring(const WinRtRuntime& runtime) : runtime_(runtime) {}
    OwnedHstring(const OwnedHstring&) = delete;
    OwnedHstring& operator=(const OwnedHstring&) = delete;
    ~OwnedHstring() { runtime_.Delete(string_); }
    HSTRING* put() { return &string_; }
    std::wstring Text() const { return runtime_.Text(string_); }

private:
    const WinRtRuntime& runtime_;
    HSTRING string_ = nullptr;
};

}  // namespace lyrics::orlisk::win32
