// RegistrySettingsStore: Orlisk's four settings as REG_SZ values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Orlisk\Settings, the per-user
// application-settings key of classic Windows programs, so that settings stored by earlier
// releases carry over. A value that is missing or not a string reads as the caller's default.
#pragma once

#include "orlisk/settings_store.h"

#include <string>
#include <string_view>

namespace lyrics::orlisk::win32 {

class RegistrySettingsStore final : public SettingsStore {
public:
    // The key below HKEY_CURRENT_USER that holds the values.
    static constexpr std::wstring_view kKeyPath = L"Software\\VB and VBA Program Settings\\Orlisk\\Settings";

    std::wstring Read(std::wstring_view name, std::wstring_view fallback) override;
    bool Write(std::wstring_view name, std::wstring_view text) override;
};

}  // namespace lyrics::orlisk::win32
