// What a test does with the stand-in media controls (media_controls_stand_in.cpp): registers its
// DLL in the test prefix for the life of a scope, tells it what plays, and reads how many event
// handlers are registered with it. The stand-in reads and writes the same values.
#pragma once

#include <windows.h>

#include <string>

namespace lyrics::testing {

inline constexpr wchar_t kMediaStandInKey[] = L"Software\\Lyrics Tests\\Media Controls";
inline constexpr wchar_t kMediaClassKey[] =
    L"Software\\Microsoft\\WindowsRuntime\\ActivatableClassId\\"
    L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager";

inline void SetMediaValue(const wchar_t* name, const std::wstring& text) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kMediaStandInKey, name, REG_SZ, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// A value as the test wrote it; empty when missing.
inline std::wstring MediaValue(const wchar_t* name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    const LSTATUS read = ::RegGetValueW(HKEY_CURRENT_USER, kMediaStandInKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    return read == ERROR_SUCCESS ? buffer : L"";
}

// The song the stand-in's current session plays; an empty app: no session.
inline void MediaPlays(const std::wstring& app, const std::wstring& artist, const std::wstring& title) {
    SetMediaValue(L"Playing", app.empty() ? std::wstring() : app + L"|" + artist + L"|" + title);
}

// The stand-in registered as the media controls' class (Wine's combase then loads it), and its
// control values cleared, for the life of the object; dllPath is a Windows path.
class RegisteredMediaStandIn {
public:
    explicit RegisteredMediaStandIn(const std::wstring& dllPath) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kMediaStandInKey);
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMediaClassKey, L"DllPath", REG_SZ, dllPath.c_str(),
                          static_cast<DWORD>((dllPath.size() + 1) * sizeof(wchar_t)));
    }
    RegisteredMediaStandIn(const RegisteredMediaStandIn&) = delete;
    RegisteredMediaStandIn& operator=(const RegisteredMediaStandIn&) = delete;
    ~RegisteredMediaStandIn() {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kMediaClassKey);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kMediaStandInKey);
    }
};

}  // namespace lyrics::testing
