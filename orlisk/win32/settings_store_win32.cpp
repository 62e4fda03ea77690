#include "orlisk/win32/settings_store_win32.h"

#include "common/win32/unique_handle.h"

#include <vector>

namespace lyrics::orlisk::win32 {

namespace {

// Longest value read back: far beyond any real folder path, so a damaged or hostile value cannot
// make the program allocate without bound.
constexpr DWORD kMaxValueBytes = 64 * 1024;

}  // namespace

std::wstring RegistrySettingsStore::Read(std::wstring_view valueName, std::wstring_view fallback) {
    UniqueHkey key;
    const std::wstring path(kKeyPath);
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::wstring(fallback);

    const std::wstring name(valueName);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes > kMaxValueBytes)
        return std::wstring(fallback);

    // The stored data need not end in NUL; one spare character keeps the copy terminated.
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::wstring(fallback);

    std::size_t length = size / sizeof(wchar_t);
    if (length > buffer.size()) length = buffer.size();
    std::wstring text(buffer.data(), length);
    if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return text;
}

bool RegistrySettingsStore::Write(std::wstring_view valueName, std::wstring_view text) {
    UniqueHkey key;
    const std::wstring path(kKeyPath);
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS)
        return false;

    const std::wstring name(valueName);
    const std::wstring data(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
           ERROR_SUCCESS;
}

}  // namespace lyrics::orlisk::win32
