// The fixtures of the Orlisk tests: the whole program over fakes with a lyrics folder typed in,
// and one walk of the desktop's windows for a song.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <tuple>

#include "orlisk/song_finder.h"
#include "tests/orlisk/fake_ports.h"

namespace lyrics::orlisk::testing {

// "C:\Lyrics\" in the folder box, and the windows named, from the top of the Z order down; the
// last of them is the test's Winamp.
class OrliskTest : public ::testing::Test {
protected:
    explicit OrliskTest(std::initializer_list<const wchar_t*> windows = {}) {
        o.controls.txtPath = L"C:\\Lyrics\\";
        for (const wchar_t* caption : windows) winamp = o.desktop.Add(caption);
    }
    ProgramNext Click() { return o.logic.cSysTray_MouseEvent(kTrayButtonFirst); }
    // The second button, with command chosen in the menu it shows.
    ProgramNext Choose(MenuCommand command) {
        o.menu.choice = command;
        return o.logic.cSysTray_MouseEvent(kTrayButtonSecond);
    }
    // The lyrics files of the songs named, in the folder typed in.
    static std::vector<std::wstring> Lyrics(std::initializer_list<std::wstring_view> songs) {
        std::vector<std::wstring> files;
        for (const std::wstring_view song : songs) files.push_back(L"C:\\Lyrics\\" + std::wstring(song) + L".txt");
        return files;
    }
    void Caption(WindowHandle window, std::wstring caption) { o.desktop.Find(window)->caption = std::move(caption); }
    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) o.logic.tmrAuto_Timer();
    }
    // A tick after window's caption shows caption, or after Winamp's window says it plays an entry.
    void TickShowing(WindowHandle window, std::wstring caption) {
        Caption(window, std::move(caption));
        Tick();
    }
    void TickPlaying(WindowHandle window, int index, std::wstring title) {
        o.remote.Plays(window, index, std::move(title));
        Tick();
    }
    FakeOrlisk o;
    WindowHandle winamp = kNoWindow;
};

// What a walk found: the window, the title and the entry Winamp said it plays.
using Found = std::tuple<WindowHandle, std::wstring, std::optional<PlayingEntry>>;
inline constexpr WindowHandle kOwn = 7;

// A walk from the settings window over a desktop whose windows answer what remote says.
class WalkTest : public ::testing::Test {
protected:
    std::optional<Found> Walk(std::wstring_view ownCaption = kSettingsCaption, const std::function<bool()>& stop = {}) {
        const std::optional<FoundSong> found = FindWinampSong(desktop, remote, kOwn, ownCaption, tip, stop);
        if (!found) return std::nullopt;
        return Found{found->window, found->title, found->entry};
    }
    FakeDesktop desktop;
    FakeWinampRemote remote;
    FakeTip tip;
};

}  // namespace lyrics::orlisk::testing
