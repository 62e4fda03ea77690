// Orlisk's settings window under Wine as the logic's live controls: its first states, its form,
// clicks, keys and close box, and the folder refused by "OK".
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "common/win32/com_apartment.h"
#include "common/win32/dpi.h"
#include "orlisk/win32/orlisk_app.h"
#include "orlisk/win32/settings_layout.h"
#include "orlisk/win32/single_instance.h"
#include "tests/driver/fake_annotation_service.h"
#include "tests/driver/orlisk_registry.h"
#include "tests/driver/registry.h"
#include "tests/match_win32/form_template_check.h"
#include "tests/orlisk_win32/settings_window_fixture.h"

namespace lyrics::orlisk::win32 {
namespace {

TEST_F(SettingsWindowTest, StartsHiddenWithTheControlsInTheirFirstStates) {
    EXPECT_FALSE(window.IsShown());
    EXPECT_EQ(window.Caption(), L"Orlisk 1.1 - Settings");
    wchar_t caption[64] = {};
    ::GetWindowTextW(window.Hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Orlisk 1.1 - Settings");
    EXPECT_EQ(window.PathText(), L"");
    EXPECT_EQ(window.SizeIndex(), kSizeNormal);
    EXPECT_EQ(window.StartupState(), CheckState::Checked);
    EXPECT_EQ(window.AutoState(), CheckState::Unchecked);
    EXPECT_FALSE(window.TimerRunning());
    EXPECT_EQ(window.TipText(), L"Orlisk");
    const LONG_PTR style = ::GetWindowLongPtrW(window.Hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
}

// The form against its table at the display's DPI.
TEST_F(SettingsWindowTest, LaysTheFormOutInTwipsAtTheWindowsDpi) {
    testing::ExpectFormAsItsTemplate(window.Hwnd(), kSettingsForm, WindowDpi(window.Hwnd()));
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(4365, 144), 437);
    EXPECT_EQ(TwipsToPixels(-90, 96), -6);
}

// As the window moves to monitors of other DPIs: the form against its table there, the folder
// label as wide as its text in its own font and clear of the box it names.
TEST_F(SettingsWindowTest, TheFolderLabelSizesItselfToItsTextAtEveryDpi) {
    for (const UINT dpi : {96u, 144u, 192u, 120u}) {
        testing::LayOutAt(window.Hwnd(), dpi);
        testing::ExpectFormAsItsTemplate(window.Hwnd(), kSettingsForm, dpi);
        EXPECT_LE(ChildRect(kIdLblCaption).right, ChildRect(kIdTxtPath).left) << "clear of the folder box at " << dpi;
    }
}

// The order the user meets the form in; the check above holds the window to the table, this the
// table to the form.
TEST_F(SettingsWindowTest, TabWalksTheStopsInTheFormsOrder) {
    std::vector<int> stops;
    HWND stop = ::GetNextDlgTabItem(window.Hwnd(), nullptr, FALSE);
    for (int step = 0; stop && step < 9; ++step, stop = ::GetNextDlgTabItem(window.Hwnd(), stop, FALSE))
        stops.push_back(::GetDlgCtrlID(stop));
    EXPECT_EQ(stops, (std::vector<int>{kIdTxtPath, kIdCmdBrowse, kIdOptSize0, kIdChkStartup, kIdCmdHelp, kIdCmdOK, kIdCmdExit,
                                       kIdChkAuto, kIdTxtPath}));
}

// Tab enters the size options at the chosen one, as in any dialog, so that a keyboard user passing
// through does not choose "Normal" by landing on it.
TEST_F(SettingsWindowTest, TabEntersTheSizeOptionsAtTheChosenOneAndKeepsIt) {
    window.SetSizeIndex(kSizeMaximized);
    window.Show();
    const HWND entered = ::GetNextDlgTabItem(window.Hwnd(), Child(kIdCmdBrowse), FALSE);
    EXPECT_EQ(entered, Child(kIdOptSize2));
    EXPECT_EQ(::GetNextDlgTabItem(window.Hwnd(), Child(kIdChkStartup), TRUE), Child(kIdOptSize2)) << "Shift+Tab too";
    ::SetFocus(entered);
    DrainMessages();
    EXPECT_EQ(window.SizeIndex(), kSizeMaximized);
    EXPECT_TRUE(events.calls.empty()) << "entering the options chooses nothing";
}

TEST(SettingsWindowNames, TheFormGivesTheBrowseButtonItsNameThroughTheAnnotationService) {
    const ComApartment com;
    ASSERT_TRUE(com.Initialized());
    testing::FakeAnnotationService service;
    const testing::FakeAnnotationService::Registration registration(service);
    ASSERT_TRUE(registration.Registered());
    RecordingEvents events;
    {
        SettingsWindow window{events.Sink()};
        ASSERT_TRUE(window.Create(::GetModuleHandleW(nullptr)));
        const HWND browse = ::GetDlgItem(window.Hwnd(), kIdCmdBrowse);
        ASSERT_EQ(service.calls.size(), 1u);
        EXPECT_EQ(service.calls[0].control, browse);
        EXPECT_EQ(service.calls[0].name, L"Browse for the lyrics folder");
        window.Close();
        ASSERT_EQ(service.calls.size(), 2u);
        EXPECT_FALSE(service.calls[1].set);
        EXPECT_TRUE(service.calls[1].controlExisted);
    }
    DrainMessages();
}

TEST_F(SettingsWindowTest, ControlsAreTheLiveSettings) {
    window.SetPathText(L"C:\\Lyrics\\");
    EXPECT_EQ(window.PathText(), L"C:\\Lyrics\\");

    window.SetSizeIndex(kSizeMaximized);
    EXPECT_EQ(window.SizeIndex(), kSizeMaximized);
    EXPECT_EQ(::IsDlgButtonChecked(window.Hwnd(), kIdOptSize0), BST_UNCHECKED);
    window.SetSizeIndex(5);  // no such button: the selection stays
    EXPECT_EQ(window.SizeIndex(), kSizeMaximized);

    window.SetStartupState(CheckState::Greyed);
    EXPECT_EQ(window.StartupState(), CheckState::Greyed);
    window.SetAutoState(CheckState::Checked);
    EXPECT_EQ(window.AutoState(), CheckState::Checked);
    EXPECT_TRUE(events.calls.empty()) << "setting a state runs no handler";

    window.SetTimerRunning(true);
    EXPECT_TRUE(window.TimerRunning());
    window.SetTimerRunning(false);
    EXPECT_FALSE(window.TimerRunning());

    window.Show();
    EXPECT_TRUE(window.IsShown());
    window.Show();
    EXPECT_TRUE(window.IsShown());
    window.Hide();
    EXPECT_FALSE(window.IsShown());
}

TEST_F(SettingsWindowTest, ClicksReachTheirHandlersAfterTheControlChanged) {
    window.Show();
    ::SendMessageW(Child(kIdChkAuto), BM_CLICK, 0, 0);
    ASSERT_EQ(events.calls, std::vector<SettingsEvent>{SettingsEvent::chkAuto_Click});
    EXPECT_EQ(window.AutoState(), CheckState::Checked);
    // A greyed box goes back to two states once the user clicks it.
    window.SetStartupState(CheckState::Greyed);
    ::SendMessageW(Child(kIdChkStartup), BM_CLICK, 0, 0);
    EXPECT_NE(window.StartupState(), CheckState::Greyed);
    ::SendMessageW(Child(kIdChkStartup), BM_CLICK, 0, 0);
    ::SendMessageW(Child(kIdChkStartup), BM_CLICK, 0, 0);
    EXPECT_NE(window.StartupState(), CheckState::Greyed);

    events.calls.clear();
    for (int id : {kIdCmdBrowse, kIdCmdHelp, kIdCmdOK, kIdCmdExit}) ::SendMessageW(Child(id), BM_CLICK, 0, 0);
    EXPECT_EQ(events.calls, (std::vector<SettingsEvent>{SettingsEvent::cmdBrowse_Click, SettingsEvent::cmdHelp_Click,
                                                        SettingsEvent::cmdOK_Click, SettingsEvent::cmdExit_Click}));
}

TEST_F(SettingsWindowTest, EnterEscAndTheCloseBoxPressOK) {
    window.Show();
    ::SetFocus(Child(kIdTxtPath));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{Child(kIdTxtPath), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(window.PreTranslate(msg));
    }
    ::SendMessageW(window.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.calls, std::vector<SettingsEvent>(3, SettingsEvent::cmdOK_Click));
    EXPECT_TRUE(::IsWindow(window.Hwnd())) << "the close box never ends the program unsaved";
}

TEST_F(SettingsWindowTest, TimerTicksReachTmrAuto) {
    window.SetTimerRunning(true);
    ::SendMessageW(window.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(events.calls, std::vector<SettingsEvent>{SettingsEvent::tmrAuto_Timer});
}

TEST(SettingsOK, AFolderThatFailsTheCheckIsShownAsTheAnswer) {
    // The real program in this process: its logic, its window, its registry store.
    using namespace lyrics::testing;
    DeleteKeyTree(OrliskKey());
    const std::wstring missing = L"C:\\No Such Lyrics Folder\\";
    ASSERT_TRUE(SetStringValue(OrliskSettingsKey(), L"Path", missing));
    ASSERT_TRUE(SetStringValue(OrliskSettingsKey(), L"Start", L"0"));
    ASSERT_TRUE(SetStringValue(OrliskSettingsKey(), L"Auto", L"0"));
    {
        const SingleInstance instance;
        OrliskApp app(instance);
        ASSERT_TRUE(app.Start(::GetModuleHandleW(nullptr)));
        const HWND settings = ::FindWindowW(L"OrliskSettingsWindow", nullptr);
        ASSERT_NE(settings, nullptr);
        ASSERT_TRUE(::IsWindowVisible(settings)) << "a missing folder shows the window at start";
        const HWND path = ::GetDlgItem(settings, kIdTxtPath);
        const auto selection = [&] {
            DWORD from = 0, to = 0;
            ::SendMessageW(path, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            return std::pair<DWORD, DWORD>(from, to);
        };
        const auto expectRefused = [&](const char* how) {
            SCOPED_TRACE(how);
            EXPECT_TRUE(::IsWindowVisible(settings)) << "the window stays open";
            EXPECT_EQ(::GetFocus(), path) << "the focus goes to the folder box";
            const auto [from, to] = selection();
            EXPECT_EQ(from, 0u);
            EXPECT_EQ(to, static_cast<DWORD>(::GetWindowTextLengthW(path))) << "its whole text selected";
        };
        const auto pump = [&] {
            MSG msg{};
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (::IsDialogMessageW(settings, &msg)) continue;
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        };

        ::SetFocus(::GetDlgItem(settings, kIdCmdHelp));
        ::SendMessageW(::GetDlgItem(settings, kIdCmdOK), BM_CLICK, 0, 0);
        expectRefused("OK");
        // What the user types next replaces the folder.
        ::SendMessageW(path, WM_CHAR, L'D', 1);
        wchar_t typed[64] = {};
        ::GetWindowTextW(path, typed, 64);
        EXPECT_STREQ(typed, L"D");

        ::SetWindowTextW(path, missing.c_str());
        ::SetFocus(::GetDlgItem(settings, kIdChkStartup));
        ::SendMessageW(path, EM_SETSEL, 0, 0);
        ::PostMessageW(::GetDlgItem(settings, kIdChkStartup), WM_KEYDOWN, VK_ESCAPE, 1);
        pump();
        expectRefused("Esc");

        ::SetFocus(::GetDlgItem(settings, kIdCmdHelp));
        ::SendMessageW(path, EM_SETSEL, 0, 0);
        ::SendMessageW(settings, WM_CLOSE, 0, 0);
        expectRefused("the close box");

        // A folder that passes: the window goes, and no one is told off.
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        ::SetWindowTextW(path, temp.wstring().c_str());
        ::SetFocus(::GetDlgItem(settings, kIdCmdHelp));
        ::SendMessageW(::GetDlgItem(settings, kIdCmdOK), BM_CLICK, 0, 0);
        EXPECT_FALSE(::IsWindowVisible(settings));
        pump();
    }
    DrainMessages();
    DeleteKeyTree(OrliskKey());
}
}  // namespace
}  // namespace lyrics::orlisk::win32
