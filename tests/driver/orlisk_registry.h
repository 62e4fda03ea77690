// Where Orlisk keeps its settings, as the program itself names it: the tests read, write and
// remove the same key.
#pragma once

#include <string>

#include "orlisk/win32/settings_store_win32.h"

namespace lyrics::testing {

// The key below HKEY_CURRENT_USER that holds Orlisk's values.
inline std::wstring OrliskSettingsKey() { return std::wstring(orlisk::win32::RegistrySettingsStore::kKeyPath); }

// Orlisk's own key, the one above its settings: all that removing Orlisk's settings removes.
inline std::wstring OrliskKey() {
    const std::wstring settings = OrliskSettingsKey();
    return settings.substr(0, settings.rfind(L'\\'));
}

}  // namespace lyrics::testing
