// Orlisk.exe as the end-to-end tests drive it: started over the settings stored beforehand, its
// tray icon found and clicked, its menu worked from the keyboard, its settings window's controls
// found by caption, and ended by its own "Exit Program" (with everything it started, by force,
// if that fails) when the object goes. Every wait is bounded.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/driver/window_search.h"

namespace orlisk_e2e {

using namespace lyrics::testing;

class DrivenOrlisk {
public:
    static constexpr wchar_t kSettingsClass[] = L"OrliskSettingsWindow";
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
    HWND Start(const std::wstring& exe) {
        const std::vector<HWND> before = TrayIconWindows();
        settings_ = nullptr;
        icons_.clear();
        if (!process_.Start(exe)) return nullptr;
        process_.WaitForInputIdle(5s);
        settings_ = WaitForWindow([&] { return FirstWindowOf(kSettingsClass, process_.Id()); }, 10s);
        WaitFor(
            [&] {
                icons_ = TrayIconWindows();
                std::erase_if(icons_, [&](HWND icon) { return std::find(before.begin(), before.end(), icon) != before.end(); });
                return !icons_.empty();
            },
            5s);
        return icons_.empty() ? nullptr : settings_;
    }
    // A first-button click on the icon, as the tray passes it on; it returns at once.
    void ClickIcon() {
        if (!icons_.empty()) ClickAt(icons_.front(), kIconX, kIconY);
    }
    // A second-button click on the icon; the menu it pops up, or null when none showed.
    HWND OpenMenu() {
        if (icons_.empty()) return nullptr;
        RightClickAt(icons_.front(), kIconX, kIconY);
        return WaitForWindow(
            [&] {
                std::vector<HWND> menus = TopLevelWindows(L"#32768", process_.Id());
                std::erase_if(menus, [](HWND menu) { return !::IsWindowVisible(menu); });
                return menus.empty() ? nullptr : menus.back();
            },
            10s);
    }
    // Pops the menu up with the second button, goes commandsDown commands down and presses
    // Enter; waits until the menu has gone. False when no menu showed or it stayed.
    bool Choose(int commandsDown) {
        const HWND menu = OpenMenu();
        if (!menu) return false;
        for (int step = 0; step < commandsDown; ++step) PressKey(menu, VK_DOWN);
        PressKey(menu, VK_RETURN);
        // The next Choose must not find this menu still on screen.
        const auto gone = [&] { return !::IsWindow(menu) || !::IsWindowVisible(menu); };
        if (WaitFor(gone, 5s)) return true;
        // The keys went elsewhere (a handler run inside the menu's loop handled them): the menu
        // goes, so that the test fails and nothing is left waiting for a choice.
        PressKey(menu, VK_ESCAPE);
        WaitFor(gone, 5s);
        return false;
    }
    // "Settings" from the menu, then "OK": true when the settings window showed, that is when
    // Orlisk still handles its events. Needs a lyrics folder that passes the check, so that "OK"
    // hides the window again for the next time.
    bool Answers() {
        if (!Choose(kSettings) || !SettingsShow(10s)) return false;
        ClickAndWait(Button(L"OK"));
        return SettingsHidden();
    }
    // Waits until the settings window shows, or is hidden; false when it did not within timeout.
    bool SettingsShow(std::chrono::milliseconds timeout = 3s) const {
        return WaitFor([&] { return ::IsWindowVisible(settings_) != FALSE; }, timeout);
    }
    bool SettingsHidden(std::chrono::milliseconds timeout = 5s) const {
        return WaitFor([&] { return !::IsWindowVisible(settings_); }, timeout);
    }
    // Boxes Orlisk shows (it should show none).
    std::vector<HWND> VisibleDialogs() const { return VisibleDialogsOf(process_.Id()); }
    // Ends Orlisk as its "Exit Program" button does, by force when it has not ended within 5 s.
    void Stop() {
        if (!process_.IsRunning()) return;
        if (settings_) ClickAndWait(Button(L"Exit Program"));
        if (!process_.WaitForExit(5s)) process_.End();
    }

    StartedProcess& Process() { return process_; }
    HWND Settings() const { return settings_; }
    // The settings window's button of that caption, and its one edit box (the lyrics folder).
    HWND Button(const wchar_t* caption) const { return FindChild(settings_, L"Button", caption); }
    HWND PathBox() const { return FindChild(settings_, L"Edit"); }
    // The tray icons that came with this Orlisk (there should be one).
    const std::vector<HWND>& Icons() const { return icons_; }

private:
    // Where on the icon the clicks land.
    static constexpr int kIconX = 8;
    static constexpr int kIconY = 8;

    StartedProcess process_;
    HWND settings_ = nullptr;
    std::vector<HWND> icons_;
};

}  // namespace orlisk_e2e
