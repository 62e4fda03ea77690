// End-to-end tests of Orlisk.exe under Wine: the real program with a stand-in Winamp (a window
// whose caption the test sets) and Wine's Notepad, driven through its windows and tray icon and
// checked through what it opens, closes and stores in the registry.
//
// Usage: orlisk_e2e --orlisk=PATH\Orlisk.exe --winamp=PATH\fake_winamp.exe [gtest options]

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "orlisk/win32/settings_layout.h"
#include "tests/driver/system_words.h"
#include "tests/e2e/orlisk_fixture.h"

namespace orlisk_e2e {
namespace {
using lyrics::orlisk::win32::kIdOptSize0;
using lyrics::orlisk::win32::kIdTxtPath;

class OrliskE2E : public OrliskFixture {};

TEST_F(OrliskE2E, OpensLyricsAtStartAndReopensThemOnFirstButton) {
    const HWND first = StartWithFirstSongPlaying(L"1", L"0", 12, 10s);
    ASSERT_NE(first, nullptr) << "\"Start\" on: the lyrics of the playing song open at start-up";
    EXPECT_FALSE(::IsWindowVisible(orlisk_.Settings())) << "a good stored folder keeps the window hidden";

    orlisk_.ClickIcon();
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 5s)) << "the first button closes the open lyrics";
    HWND second = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (second = LyricsOf(L"Artist - Song")) != nullptr && second != first; }, 10s))
        << "and opens those of the song now playing, even the same one";
    EXPECT_EQ(NotepadWindows().size(), 1u);

    // Started again with those lyrics still open, Orlisk brings them forward and opens no copy.
    // (A second driver: the first one's job holds the Notepad it started.)
    orlisk_.Stop();
    ASSERT_TRUE(::IsWindow(second)) << "ending Orlisk leaves the lyrics open";
    DrivenOrlisk again;
    ASSERT_NE(again.Start(Programs().orlisk), nullptr);
    EXPECT_FALSE(WaitFor([] { return NotepadWindows().size() > 1; }, 3s)) << "no second Notepad of the same song";
    EXPECT_EQ(LyricsOf(L"Artist - Song"), second);
}

TEST_F(OrliskE2E, FollowsSongChangesWhenAutoIsOn) {
    const HWND first = StartWithFirstSongPlaying(L"0", L"1", 3, 10s);
    ASSERT_NE(first, nullptr) << "\"Auto\" on checks \"Start\" too, so the lyrics open at start-up";

    HWND second = nullptr;
    ASSERT_NO_FATAL_FAILURE(ExpectSongChangeFollowed([&] { return PlaySong(WinampCaption(4, kSecondSong)); }, kSecondSong, first,
                                                     "song change", &second));

    // A song without a lyrics file: the old lyrics close and nothing opens.
    ASSERT_TRUE(PlaySong(L"5. Nobody - Nothing - Winamp"));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(second); }, 3s)) << "the lyrics of the old song close";
    EXPECT_TRUE(NoNotepadFor(2500ms)) << "nothing opens for a song without lyrics";
}

TEST_F(OrliskE2E, OpensNothingWithoutWinamp) {
    StoreSettings(L"1", L"1");
    ASSERT_NE(StartOrlisk(), nullptr);
    orlisk_.ClickIcon();
    EXPECT_TRUE(NoNotepadFor(3s));
    EXPECT_TRUE(orlisk_.Process().IsRunning());
}

TEST_F(OrliskE2E, ExitProgramSavesTheSettingsAndTakesTheIcon) {
    StoreSetting(L"Path", LyricsPath(false));
    StoreSetting(L"Size", L"2");
    StoreSetting(L"Start", L"0");
    const HWND settings = StartOrlisk();
    ASSERT_NE(settings, nullptr);
    ASSERT_EQ(orlisk_.Icons().size(), 1u);

    const HWND path = orlisk_.PathBox();
    EXPECT_EQ(WindowText(path), LyricsPath(true)) << "the stored folder gets its backslash at start-up";
    EXPECT_EQ(CheckOf(orlisk_.Button(L"Maximized")), BST_CHECKED);
    const HWND startup = orlisk_.Button(L"As soon as Orlisk opens (if Winamp is also open)");
    EXPECT_EQ(CheckOf(startup), BST_UNCHECKED);

    // Checking "Automatically" checks the start-up box as well.
    ASSERT_TRUE(ClickAndWait(orlisk_.Button(L"Automatically when song changes")));
    EXPECT_EQ(CheckOf(startup), BST_CHECKED);

    ASSERT_TRUE(ClickAndWait(orlisk_.Button(L"Exit Program")));
    EXPECT_TRUE(orlisk_.Process().WaitForExit(5s)) << "Exit Program ends the program";
    EXPECT_EQ(StoredSettings(), (StoredValues{LyricsPath(true), L"2", L"1", L"1"}));
    EXPECT_TRUE(WaitFor(
        [&] {
            const auto icons = TrayIconWindows();
            return std::find(icons.begin(), icons.end(), orlisk_.Icons().front()) == icons.end();
        },
        3s))
        << "the tray icon goes with the program";
}

// One Orlisk with a folder stored: a second one started beside it shows the first's settings
// window and ends at once, the menu's "Settings" shows the window with the focus where it was, and the icon comes back when the
// taskbar is made again.
TEST_F(OrliskE2E, ASecondOrliskShowsTheFirstsSettingsTheMenuShowsThemAgainAndTheIconComesBack) {
    StoreSettings(L"0", L"0");
    const HWND settings = StartOrlisk();
    ASSERT_NE(settings, nullptr);
    ASSERT_FALSE(::IsWindowVisible(settings));
    ASSERT_EQ(orlisk_.Icons().size(), 1u);
    const std::size_t icons = TrayIconWindows().size();

    StartedProcess second;
    ASSERT_TRUE(second.Start(Programs().orlisk));
    EXPECT_TRUE(second.WaitForExit(3s)) << "the second instance ends by itself";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(orlisk_.Process().IsRunning()) << "the first one keeps running";
    EXPECT_EQ(TrayIconWindows().size(), icons) << "the second never shows an icon";
    EXPECT_EQ(TopLevelWindows(DrivenOrlisk::kSettingsClass).size(), 1u);
    EXPECT_TRUE(orlisk_.SettingsShow(5s)) << "the second shows the first's window";

    const auto focusReaches = [&](int id) {
        return WaitFor([&] { return FocusedWindowOf(settings) == ::GetDlgItem(settings, id); }, 5s);
    };
    EXPECT_TRUE(focusReaches(kIdTxtPath)) << "the folder box has the focus the first time";
    // The window goes with the focus on "Normal"; "Settings" brings it back there.
    ClickAt(::GetDlgItem(settings, kIdOptSize0), 3, 3);
    ASSERT_TRUE(focusReaches(kIdOptSize0));
    SendBounded(settings, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(orlisk_.SettingsHidden()) << "OK hides the window";
    // Down to the third entry ("Exit", separator, "Settings"), then Enter.
    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kSettings)) << "the second button pops up the menu";
    EXPECT_TRUE(orlisk_.SettingsShow(5s)) << "\"Settings\" shows the window";
    EXPECT_TRUE(focusReaches(kIdOptSize0)) << "the focus returns where the window was last used";

    // The icon the menu came from goes last: the tray makes a new window for the icon put back.
    // What a restarting Explorer does: its icons are gone, then it announces the new taskbar.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = settings;
    icon.uID = 1;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &icon));
    ASSERT_TRUE(WaitFor([&] { return TrayIconWindows().size() == icons - 1; }, 3s));
    SendBounded(settings, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return TrayIconWindows().size() == icons; }, 3s)) << "Orlisk puts its icon back";
}

// No folder stored: the settings window shows; a cancelled picker leaves the folder box alone,
// and "OK" with a folder that cannot be found saves the rest and keeps the window open.
TEST_F(OrliskE2E, WithoutAFolderACancelledPickerKeepsTheBoxAndOkSavesTheRestAndStaysOpen) {
    StoreSetting(L"Start", L"0");
    const HWND settings = StartOrlisk();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(orlisk_.SettingsShow()) << "with no folder stored the settings window shows at start-up";
    const HWND path = orlisk_.PathBox();
    ASSERT_TRUE(SetText(path, L"C:\\kept folder"));

    // Posted: the picker is modal, so the click returns only when it closes.
    Click(orlisk_.Button(L"..."));
    const HWND dialog = WaitForWindow([&] { return FindOwnedDialog(settings); }, 10s);
    ASSERT_NE(dialog, nullptr) << "\"...\" shows the folder picker, owned by the settings window";
    EXPECT_TRUE(ShowsText(dialog, L"Lyrics folder...")) << "the picker shows Orlisk's prompt";
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 5s));
    EXPECT_EQ(WindowText(path), L"C:\\kept folder");

    ASSERT_TRUE(SetText(path, LyricsPath(false) + L"\\missing"));
    ASSERT_TRUE(ClickAndWait(orlisk_.Button(L"Minimized")));
    ASSERT_TRUE(ClickAndWait(orlisk_.Button(L"OK")));
    EXPECT_TRUE(::IsWindowVisible(settings)) << "a folder that cannot be found keeps the window open";
    // The reason shows in a balloon at the box: the edit's own, or, where the system gives none
    // (Wine), a balloon tooltip of Orlisk's.
    const std::wstring reason = L"\"" + LyricsPath(false) + L"\\missing\": " + SystemWords(ERROR_FILE_NOT_FOUND) + L".";
    const auto balloonText = [&] {
        for (const HWND tip : TopLevelWindows(TOOLTIPS_CLASSW, orlisk_.Process().Id())) {
            if (::IsWindowVisible(tip)) return WindowText(tip);
        }
        return std::wstring();
    };
    std::wstring shown;
    EXPECT_TRUE(WaitFor([&] { return (shown = balloonText()) == reason; }, 5s)) << ::testing::PrintToString(shown);
    EXPECT_EQ(FindOwnedDialog(settings), nullptr) << "no message box";
    EXPECT_EQ(StoredSettings(), (StoredValues{std::nullopt, L"1", L"0", L"0"}));

    ASSERT_TRUE(SetText(path, LyricsPath(false)));
    EXPECT_TRUE(WaitFor([&] { return balloonText().empty(); }, 5s)) << "typing takes the balloon away";
    ASSERT_TRUE(ClickAndWait(orlisk_.Button(L"OK")));
    EXPECT_TRUE(orlisk_.SettingsHidden(3s)) << "a good folder: OK hides the window";
    EXPECT_EQ(StoredSetting(L"Path"), LyricsPath(true));
    EXPECT_TRUE(orlisk_.Process().IsRunning()) << "OK never ends the program";
}

TEST_F(OrliskE2E, StoredValuesThatDoNotFitLeaveTheControlsAsCreated) {
    StoreSetting(L"Path", LyricsPath(false) + L"\\missing");
    StoreSetting(L"Size", L"7");
    StoreSetting(L"Start", L"yes");
    StoreSetting(L"Auto", L"-1");
    const HWND settings = StartOrlisk();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(orlisk_.SettingsShow()) << "a folder that cannot be found shows the settings window";
    EXPECT_EQ(WindowText(orlisk_.PathBox()), LyricsPath(false) + L"\\missing\\");
    EXPECT_EQ(CheckOf(orlisk_.Button(L"Normal")), BST_CHECKED);
    EXPECT_EQ(CheckOf(orlisk_.Button(L"Minimized")), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(orlisk_.Button(L"Maximized")), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(orlisk_.Button(L"As soon as Orlisk opens (if Winamp is also open)")), BST_CHECKED);
    EXPECT_EQ(CheckOf(orlisk_.Button(L"Automatically when song changes")), BST_UNCHECKED);
    EXPECT_EQ(StoredSetting(L"Size"), L"7") << "nothing is written at start-up";
}

TEST_F(OrliskE2E, MenuExitSavesAndEndsTheProgram) {
    StoreSetting(L"Path", LyricsPath(false) + L"\\missing");
    StoreSetting(L"Start", L"0");
    ASSERT_NE(StartOrlisk(), nullptr);

    // "Exit" is the first entry.
    ASSERT_TRUE(orlisk_.Choose(DrivenOrlisk::kExit));
    EXPECT_TRUE(orlisk_.Process().WaitForExit(5s)) << "\"Exit\" ends the program even with a folder that cannot be found";
    // That folder is not written back; the other three are written.
    EXPECT_EQ(StoredSettings(), (StoredValues{LyricsPath(false) + L"\\missing", L"0", L"0", L"0"}));
}

TEST_F(OrliskE2E, ScalesTheFormToTheScreensDpi) {
    // 144 DPI for the programs started from now on (Wine reads it when a program starts).
    const ScreenDpiScope dpi(144);
    StoreSetting(L"Start", L"0");
    const HWND settings = StartOrlisk();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(orlisk_.SettingsShow());
    RECT client{};
    ASSERT_TRUE(::GetClientRect(settings, &client));
    EXPECT_EQ(client.right, ::MulDiv(4365, 144, 1440)) << "4365 twips at 144 DPI";
    EXPECT_EQ(client.bottom, ::MulDiv(2190, 144, 1440));
    const RECT ok = RectInParent(orlisk_.Button(L"OK"), settings);
    EXPECT_EQ(ok.left, ::MulDiv(1660, 144, 1440));
    EXPECT_EQ(ok.bottom - ok.top, ::MulDiv(375, 144, 1440));
}

}  // namespace
}  // namespace orlisk_e2e

int wmain(int argc, wchar_t** argv) { return orlisk_e2e::RunOrliskE2ETests(argc, argv); }
