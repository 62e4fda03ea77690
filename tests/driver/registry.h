// The registry under HKEY_CURRENT_USER as tests read and set it, and scopes that put a key or a
// value back as it was when the test is done: the settings a program keeps, the screen's DPI
// that Wine reads when a program starts.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace lyrics::testing {

// Values under HKEY_CURRENT_USER; nullopt when the value (or its key) is missing or of another type.
std::optional<std::wstring> StringValue(const std::wstring& key, const wchar_t* name);
std::optional<DWORD> DwordValue(const std::wstring& key, const wchar_t* name);
bool KeyExists(const std::wstring& key);
// Writes the value, making the key when it is missing; false when it could not.
bool SetStringValue(const std::wstring& key, const wchar_t* name, const std::wstring& value);
bool SetDwordValue(const std::wstring& key, const wchar_t* name, DWORD value);
void DeleteKeyTree(const std::wstring& key);
void DeleteValue(const std::wstring& key, const wchar_t* name);

// For the life of the object the key (and all below it) is the test's: it starts missing, and
// what was there before comes back when the object goes.
class RegistryKeyScope {
public:
    explicit RegistryKeyScope(std::wstring key);
    RegistryKeyScope(const RegistryKeyScope&) = delete;
    RegistryKeyScope& operator=(const RegistryKeyScope&) = delete;
    ~RegistryKeyScope();

private:
    std::wstring key_;
    std::wstring saved_;  // where the earlier key waits; empty when there was none
};

// For the life of the object one value is the test's; its earlier data (or its absence) comes
// back when the object goes.
class RegistryValueScope {
public:
    RegistryValueScope(std::wstring key, std::wstring name);
    RegistryValueScope(const RegistryValueScope&) = delete;
    RegistryValueScope& operator=(const RegistryValueScope&) = delete;
    ~RegistryValueScope();

    const std::wstring& Key() const noexcept { return key_; }
    const wchar_t* Name() const noexcept { return name_.c_str(); }

private:
    std::wstring key_;
    std::wstring name_;
    std::optional<DWORD> type_;  // nullopt: there was no such value
    std::string data_;
};

// For the life of the object, programs started from now on see a screen of the given DPI.
class ScreenDpiScope {
public:
    explicit ScreenDpiScope(DWORD dpi);
    bool Set() const noexcept { return set_; }

private:
    RegistryValueScope value_;
    bool set_ = false;
};

}  // namespace lyrics::testing
