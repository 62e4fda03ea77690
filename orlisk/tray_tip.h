// TrayTip: the tray icon's tip, Orlisk's only status line.
// The Windows program cuts a text longer than the shell allows with "…" (NOTIFYICONDATAW::szTip).
#pragma once

#include <string_view>

namespace lyrics::orlisk {

inline constexpr std::wstring_view kFirstTip = L"Orlisk";

class TrayTip {
public:
    virtual ~TrayTip() = default;
    // Replaces the whole tip.
    virtual void SetTip(std::wstring_view text) = 0;
};

}  // namespace lyrics::orlisk
