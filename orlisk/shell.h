// Shell: opening a document with its default action.
// The Windows program implements it with ShellExecuteW(owner, nullptr, document, nullptr, nullptr,
// show); the tests record what was opened and answer chosen codes.
#pragma once

#include <cstdint>
#include <string_view>

#include "window_handle.h"

namespace lyrics::orlisk {

// Show commands, as the window system numbers them.
inline constexpr int kShowHide = 0;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowMinimize = 6;

// ShellExecute's answer: above 32 the document was handed over, 32 or less it was not.
inline constexpr bool ShellOpened(std::intptr_t resultCode) { return resultCode > 32; }

class Shell {
public:
    virtual ~Shell() = default;
    // No verb (the default action), no parameters, no directory. Returns ShellExecute's result as
    // an integer: the HINSTANCE it gives, converted through std::intptr_t.
    virtual std::intptr_t OpenDocument(WindowHandle owner, std::wstring_view document, int showCommand) = 0;
};

}  // namespace lyrics::orlisk
