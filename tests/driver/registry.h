// The registry under HKEY_CURRENT_USER as tests read and set it, and scopes that put a key or a
// value back as it was when the test is done: the settings a program keeps, the screen's DPI
// that Wine reads when a program starts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "common/win32/unique_handle.h"

namespace lyrics::testing {

namespace detail {

inline UniqueHkey OpenKey(const std::wstring& key, REGSAM access) {
    UniqueHkey handle;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, access, handle.put()) != ERROR_SUCCESS) handle.reset();
    return handle;
}

inline bool SetValue(const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD bytes,
                     HKEY root = HKEY_CURRENT_USER) {
    return ::RegSetKeyValueW(root, key.c_str(), name, type, data, bytes) == ERROR_SUCCESS;
}

// A value's type and bytes as they are stored; nullopt when it is missing or not of the types.
inline std::optional<std::pair<DWORD, std::string>> RawValue(const std::wstring& key, const wchar_t* name, DWORD types,
                                                             HKEY root = HKEY_CURRENT_USER) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegGetValueW(root, key.c_str(), name, types, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
    std::string data(bytes, '\0');
    if (::RegGetValueW(root, key.c_str(), name, types, &type, data.data(), &bytes) != ERROR_SUCCESS) return std::nullopt;
    data.resize(bytes);
    return std::pair{type, data};
}

}  // namespace detail

// Values under HKEY_CURRENT_USER (or root); nullopt when the value (or its key) is missing or of another
// type. A null name is the key's default value.
inline std::optional<std::wstring> StringValue(const std::wstring& key, const wchar_t* name, HKEY root = HKEY_CURRENT_USER) {
    const auto raw = detail::RawValue(key, name, RRF_RT_REG_SZ, root);
    if (!raw) return std::nullopt;
    std::wstring value(raw->second.size() / sizeof(wchar_t), L'\0');
    std::memcpy(value.data(), raw->second.data(), value.size() * sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return value;
}
inline std::optional<DWORD> DwordValue(const std::wstring& key, const wchar_t* name) {
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}
inline bool KeyExists(const std::wstring& key) { return static_cast<bool>(detail::OpenKey(key, KEY_READ)); }
// Writes the value, making the key when it is missing; false when it could not.
inline bool SetStringValue(const std::wstring& key, const wchar_t* name, const std::wstring& value,
                           HKEY root = HKEY_CURRENT_USER) {
    return detail::SetValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)), root);
}
inline bool SetDwordValue(const std::wstring& key, const wchar_t* name, DWORD value) {
    return detail::SetValue(key, name, REG_DWORD, &value, sizeof value);
}
inline void DeleteKeyTree(const std::wstring& key, HKEY root = HKEY_CURRENT_USER) { ::RegDeleteTreeW(root, key.c_str()); }
inline void DeleteValue(const std::wstring& key, const wchar_t* name) {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name);
}

// For the life of the object the key (and all below it) is the test's: it starts missing, and
// what was there before comes back when the object goes.
class RegistryKeyScope {
public:
    explicit RegistryKeyScope(std::wstring key) : key_(std::move(key)) {
        if (const UniqueHkey existing = detail::OpenKey(key_, KEY_READ)) {
            // Where the earlier key waits while the test has it.
            const std::wstring saved = L"Software\\Lyrics tools tests\\Saved keys\\" + std::to_wstring(::GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(reinterpret_cast<std::uintptr_t>(this));
            if (CopyTo(existing.get(), saved)) saved_ = saved;
        }
        DeleteKeyTree(key_);
    }
    RegistryKeyScope(const RegistryKeyScope&) = delete;
    RegistryKeyScope& operator=(const RegistryKeyScope&) = delete;
    ~RegistryKeyScope() {
        DeleteKeyTree(key_);
        if (saved_.empty()) return;
        if (const UniqueHkey copy = detail::OpenKey(saved_, KEY_READ)) CopyTo(copy.get(), key_);
        DeleteKeyTree(saved_);
    }

private:
    // Copies the key and all below it to target, made when it is missing.
    static bool CopyTo(HKEY from, const std::wstring& target) {
        UniqueHkey to;
        return ::RegCreateKeyExW(HKEY_CURRENT_USER, target.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, to.put(), nullptr) ==
                   ERROR_SUCCESS &&
               ::RegCopyTreeW(from, nullptr, to.get()) == ERROR_SUCCESS;
    }

    std::wstring key_;
    std::wstring saved_;  // where the earlier key waits; empty when there was none
};

// For the life of the object one value is the test's; its earlier data (or its absence) comes
// back when the object goes.
class RegistryValueScope {
public:
    RegistryValueScope(std::wstring key, std::wstring name)
        : key_(std::move(key)),
          name_(std::move(name)),
          saved_(detail::RawValue(key_, name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND)) {}
    RegistryValueScope(const RegistryValueScope&) = delete;
    RegistryValueScope& operator=(const RegistryValueScope&) = delete;
    ~RegistryValueScope() {
        if (saved_) {
            detail::SetValue(key_, name_.c_str(), saved_->first, saved_->second.data(),
                             static_cast<DWORD>(saved_->second.size()));
        } else {
            DeleteValue(key_, name_.c_str());
        }
    }

    const std::wstring& Key() const noexcept { return key_; }
    const wchar_t* Name() const noexcept { return name_.c_str(); }

private:
    std::wstring key_;
    std::wstring name_;
    std::optional<std::pair<DWORD, std::string>> saved_;  // type and bytes; nullopt: there was no such value
};

// For the life of the object, programs started from now on see a screen of the given DPI.
class ScreenDpiScope {
public:
    explicit ScreenDpiScope(DWORD dpi)
        : value_(L"Control Panel\\Desktop", L"LogPixels"), set_(SetDwordValue(value_.Key(), value_.Name(), dpi)) {}
    bool Set() const noexcept { return set_; }

private:
    RegistryValueScope value_;
    bool set_ = false;
};

}  // namespace lyrics::testing
