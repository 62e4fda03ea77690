// ShellDocument: the logic's Shell over ShellExecuteExW, which opens a document with its default
// action (Notepad for a lyrics file, the browser for the help page), then waits, bounded, until
// the program it started has a window that takes messages. While it waits, the program's own
// messages are handled, so that a slow editor never leaves the tray without an answer.
#pragma once

#include <chrono>
#include <functional>

#include "orlisk/shell.h"

#include <windows.h>

namespace lyrics::orlisk::win32 {

// How long Open waits for the started program to be ready for input, and how often it looks.
inline constexpr std::chrono::milliseconds kReadyForInputWait{5000};
inline constexpr std::chrono::milliseconds kReadyPollPause{20};

class ShellDocument final : public Shell {
public:
    // handleMessages: one pass of the program's message loop, run between looks at the started
    // program; false ends the wait (the program is ending). Without it the wait only sleeps.
    explicit ShellDocument(std::function<bool()> handleMessages = {}) : handleMessages_(std::move(handleMessages)) {}

    bool Open(WindowHandle owner, std::wstring_view document, ShowCommand show) override;

private:
    // Waits, bounded, until the started program has a window and its thread takes messages.
    void WaitUntilReady(HANDLE process) const;

    std::function<bool()> handleMessages_;
};

// Whether the shell may be handed path: not longer than it takes, and not a folder (which it
// would open in an Explorer window). A path that names nothing passes: the shell's own answer
// says that it could not be opened.
bool ShellTakesDocument(const std::wstring& path);

}  // namespace lyrics::orlisk::win32
