// Orlisk.exe as the end-to-end tests drive it: started over the settings stored beforehand, its
// tray icon found and clicked, its menu worked from the keyboard, its settings window's controls
// found by caption, and ended by its own "Exit Program" (with everything it started, by force,
// if that fails) when the object goes. Every wait is bounded.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/driver/started_process.h"

namespace orlisk_e2e {

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

    // Starts exe; its settings window, or null when the window or the icon did not come.
    HWND Start(const std::wstring& exe);
    // A first-button click on the icon, as the tray passes it on; it returns at once.
    void ClickIcon();
    // A second-button click on the icon; the menu it pops up, or null when none showed.
    HWND OpenMenu();
    // Pops the menu up with the second button, goes commandsDown commands down and presses
    // Enter; waits until the menu has gone. False when no menu showed or it stayed.
    bool Choose(int commandsDown);
    // "Settings" from the menu, then "OK": true when the settings window showed, that is when
    // Orlisk still handles its events. Needs a lyrics folder that passes the check, so that "OK"
    // hides the window again for the next time.
    bool Answers();
    // Waits until the settings window shows; false when it did not within 3 s.
    bool SettingsShow() const;
    // Boxes Orlisk shows (it should show none).
    std::vector<HWND> VisibleDialogs() const;
    // Ends Orlisk as its "Exit Program" button does, by force when it has not ended within 5 s.
    void Stop();

    lyrics::testing::StartedProcess& Process() { return process_; }
    HWND Settings() const { return settings_; }
    // The settings window's button of that caption, and its one edit box (the lyrics folder).
    HWND Button(const wchar_t* caption) const;
    HWND PathBox() const;
    // The tray icons that came with this Orlisk (there should be one).
    const std::vector<HWND>& Icons() const { return icons_; }

private:
    lyrics::testing::StartedProcess process_;
    HWND settings_ = nullptr;
    std::vector<HWND> icons_;
};

}  // namespace orlisk_e2e
