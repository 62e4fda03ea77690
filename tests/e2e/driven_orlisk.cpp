#include "tests/e2e/driven_orlisk.h"

#include <algorithm>

#include "tests/driver/driver_support.h"
#include "tests/driver/window_input.h"
#include "tests/driver/window_search.h"

namespace orlisk_e2e {

using namespace lyrics::testing;

namespace {

constexpr wchar_t kSettingsClass[] = L"OrliskSettingsWindow";
constexpr wchar_t kPopupMenuClass[] = L"#32768";
// Where on the icon the clicks land.
constexpr int kIconX = 8;
constexpr int kIconY = 8;

}  // namespace

HWND DrivenOrlisk::Start(const std::wstring& exe) {
    const std::vector<HWND> before = TrayIconWindows();
    settings_ = nullptr;
    icons_.clear();
    if (!process_.Start(exe)) return nullptr;
    process_.WaitForInputIdle(5s);
    settings_ = WaitForWindow([&] { return FirstWindowOf(kSettingsClass, process_.Id()); }, 10s);
    WaitFor(
        [&] {
            icons_.clear();
            for (HWND icon : TrayIconWindows())
                if (std::find(before.begin(), before.end(), icon) == before.end()) icons_.push_back(icon);
            return !icons_.empty();
        },
        5s);
    return icons_.empty() ? nullptr : settings_;
}

void DrivenOrlisk::ClickIcon() {
    if (!icons_.empty()) ClickAt(icons_.front(), kIconX, kIconY);
}

HWND DrivenOrlisk::OpenMenu() {
    if (icons_.empty()) return nullptr;
    RightClickAt(icons_.front(), kIconX, kIconY);
    return WaitForWindow(
        [&] {
            HWND menu = nullptr;
            for (HWND window : TopLevelWindows(kPopupMenuClass, process_.Id()))
                if (::IsWindowVisible(window)) menu = window;
            return menu;
        },
        10s);
}

bool DrivenOrlisk::Choose(int commandsDown) {
    const HWND menu = OpenMenu();
    if (!menu) return false;
    for (int step = 0; step < commandsDown; ++step) PressKey(menu, VK_DOWN);
    PressKey(menu, VK_RETURN);
    // The next Choose must not find this menu still on screen.
    const auto gone = [&] { return !::IsWindow(menu) || !::IsWindowVisible(menu); };
    if (WaitFor(gone, 5s)) return true;
    // The keys went elsewhere (a handler run inside the menu's loop handled them): the menu goes,
    // so that the test fails and nothing is left waiting for a choice.
    PressKey(menu, VK_ESCAPE);
    WaitFor(gone, 5s);
    return false;
}

bool DrivenOrlisk::Answers() {
    if (!Choose(kSettings)) return false;
    if (!WaitFor([&] { return ::IsWindowVisible(settings_) != FALSE; }, 10s)) return false;
    ClickAndWait(Button(L"OK"));
    return WaitFor([&] { return !::IsWindowVisible(settings_); }, 5s);
}

bool DrivenOrlisk::SettingsShow() const {
    return WaitFor([&] { return ::IsWindowVisible(settings_) != FALSE; }, 3s);
}

std::vector<HWND> DrivenOrlisk::VisibleDialogs() const { return VisibleDialogsOf(process_.Id()); }

void DrivenOrlisk::Stop() {
    if (!process_.IsRunning()) return;
    if (settings_) ClickAndWait(Button(L"Exit Program"));
    if (!process_.WaitForExit(5s)) process_.End();
}

HWND DrivenOrlisk::Button(const wchar_t* caption) const { return FindChild(settings_, L"Button", caption); }

HWND DrivenOrlisk::PathBox() const { return FindChild(settings_, L"Edit"); }

}  // namespace orlisk_e2e
