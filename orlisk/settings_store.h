// SettingsStore: the string values Orlisk keeps between runs.
// The Windows program keeps them under HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\Orlisk\Settings as REG_SZ values; the tests keep them in a map. Only "OK" and
// "Exit Program" write; start-up reads each value once.
#pragma once

#include <string>
#include <string_view>

namespace lyrics::orlisk {

inline constexpr std::wstring_view kSettingsApplication = L"Orlisk";
inline constexpr std::wstring_view kSettingsSection = L"Settings";

// Value names, and what stands for a value that is missing.
inline constexpr std::wstring_view kValuePath = L"Path";    // the lyrics folder, ending in "\"
inline constexpr std::wstring_view kValueSize = L"Size";    // "0" Normal, "1" Minimized, "2" Maximized
inline constexpr std::wstring_view kValueStart = L"Start";  // chkStartup's state, "0" or "1"
inline constexpr std::wstring_view kValueAuto = L"Auto";    // chkAuto's state, "0" or "1"
// "1" follows the players of Windows' media controls when no Winamp plays, "0" Winamp only. No
// control shows it, and Orlisk never writes it: the user sets it in the registry.
inline constexpr std::wstring_view kValuePlayers = L"Players";
inline constexpr std::wstring_view kDefaultPath = L"";
inline constexpr std::wstring_view kDefaultSize = L"0";
inline constexpr std::wstring_view kDefaultStart = L"1";
inline constexpr std::wstring_view kDefaultAuto = L"0";
inline constexpr std::wstring_view kDefaultPlayers = L"1";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or fallback when the value (or its key) is missing or cannot be read.
    virtual std::wstring Read(std::wstring_view name, std::wstring_view fallback) = 0;
    // Creates the key when needed. False when the value could not be written.
    virtual bool Write(std::wstring_view name, std::wstring_view text) = 0;
};

}  // namespace lyrics::orlisk
