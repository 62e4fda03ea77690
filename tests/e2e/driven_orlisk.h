// Orlisk.exe as the end-to-end tests drive it, and what they read of a running process from
// outside: its handle count and its committed memory. Every wait is bounded.
#pragma once

#include "tests/e2e/orlisk_e2e_support.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace orlisk_e2e {

// Orlisk.exe as the end-to-end tests drive it: started over the settings stored beforehand, its
// tray icon found and clicked, its menu worked from the keyboard, ended by its own "Exit Program"
// (terminated if that fails) when the object goes.
class DrivenOrlisk {
public:
    // The menu's commands, counted down from the top as the arrow keys reach them.
    static constexpr int kExit = 1;
    static constexpr int kSettings = 2;
    static constexpr int kCloseLyrics = 3;
    static constexpr int kOpenLyrics = 4;

    DrivenOrlisk() = default;
    DrivenOrlisk(const DrivenOrlisk&) = delete;
    DrivenOrlisk& operator=(const DrivenOrlisk&) = delete;
    ~DrivenOrlisk() { Stop(); }

    // Starts Orlisk; its settings window, or null when the window or the icon did not come.
    HWND Start();
    // A first-button click on the icon, as the tray passes it on; it returns at once.
    void ClickIcon();
    // A second-button click on the icon; the menu it pops up, or null when none showed.
    HWND OpenMenu();
    // Pops the menu up with the second button, goes commandsDown commands down and presses
    // Enter; waits until the menu has gone. False when no menu showed.
    bool Choose(int commandsDown);
    // "Settings" from the menu, then "OK": true when the settings window showed, that is when
    // Orlisk still handles its events. Needs a lyrics folder that passes the check, so that "OK"
    // hides the window again for the next time.
    bool Answers();
    // Boxes Orlisk shows (it should show none).
    std::vector<HWND> VisibleDialogs() const;
    void Stop();

    ChildProcess& Process() { return process_; }
    HWND Settings() const { return settings_; }
    // The tray icons that came with this Orlisk (there should be one).
    const std::vector<HWND>& Icons() const { return icons_; }

private:
    ChildProcess process_;
    HWND settings_ = nullptr;
    std::vector<HWND> icons_;
};

// The handles a process holds, as the kernel lists them (NtQuerySystemInformation with
// SystemExtendedHandleInformation, which Wine answers, unlike GetProcessHandleCount).
std::optional<std::size_t> HandleCount(DWORD processId);
// The memory a process has committed for itself (its private bytes).
std::optional<std::size_t> CommittedBytes(DWORD processId);

}  // namespace orlisk_e2e
