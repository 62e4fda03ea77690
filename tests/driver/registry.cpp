#include "tests/driver/registry.h"

#include <cstdint>

#include "common/win32/unique_handle.h"

namespace lyrics::testing {

namespace {

// Where RegistryKeyScope keeps a key while the test has it.
constexpr wchar_t kSavedKeys[] = L"Software\\Lyrics tools tests\\Saved keys";

UniqueHkey OpenKey(const std::wstring& key, REGSAM access) {
    UniqueHkey handle;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, access, handle.put()) != ERROR_SUCCESS) handle.reset();
    return handle;
}

bool SetValue(const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, data, bytes) == ERROR_SUCCESS;
}

}  // namespace

std::optional<std::wstring> StringValue(const std::wstring& key, const wchar_t* name) {
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    return value;
}

std::optional<DWORD> DwordValue(const std::wstring& key, const wchar_t* name) {
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool KeyExists(const std::wstring& key) { return static_cast<bool>(OpenKey(key, KEY_READ)); }

bool SetStringValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return SetValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool SetDwordValue(const std::wstring& key, const wchar_t* name, DWORD value) {
    return SetValue(key, name, REG_DWORD, &value, sizeof value);
}

void DeleteKeyTree(const std::wstring& key) { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

void DeleteValue(const std::wstring& key, const wchar_t* name) { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name); }

RegistryKeyScope::RegistryKeyScope(std::wstring key) : key_(std::move(key)) {
    if (const UniqueHkey existing = OpenKey(key_, KEY_READ)) {
        const std::wstring saved = std::wstring(kSavedKeys) + L"\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(reinterpret_cast<std::uintptr_t>(this));
        UniqueHkey copy;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, saved.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, copy.put(), nullptr) ==
                ERROR_SUCCESS &&
            ::RegCopyTreeW(existing.get(), nullptr, copy.get()) == ERROR_SUCCESS)
            saved_ = saved;
    }
    DeleteKeyTree(key_);
}

RegistryKeyScope::~RegistryKeyScope() {
    DeleteKeyTree(key_);
    if (saved_.empty()) return;
    const UniqueHkey copy = OpenKey(saved_, KEY_READ);
    UniqueHkey restored;
    if (copy && ::RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, restored.put(),
                                  nullptr) == ERROR_SUCCESS)
        ::RegCopyTreeW(copy.get(), nullptr, restored.get());
    DeleteKeyTree(saved_);
}

RegistryValueScope::RegistryValueScope(std::wstring key, std::wstring name) : key_(std::move(key)), name_(std::move(name)) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return;
    data_.assign(bytes, '\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data_.data(), &bytes) !=
        ERROR_SUCCESS)
        return;
    data_.resize(bytes);
    type_ = type;
}

RegistryValueScope::~RegistryValueScope() {
    if (type_) {
        SetValue(key_, name_.c_str(), *type_, data_.data(), static_cast<DWORD>(data_.size()));
    } else {
        DeleteValue(key_, name_.c_str());
    }
}

ScreenDpiScope::ScreenDpiScope(DWORD dpi)
    : value_(L"Control Panel\\Desktop", L"LogPixels"), set_(SetDwordValue(value_.Key(), value_.Name(), dpi)) {}

}  // namespace lyrics::testing
