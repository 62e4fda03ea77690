// The Windows side of Orlisk piece by piece, under Wine: the tray tip and tray events, the
// registry store, the file-system search, the single-instance test and the settings window as
// the logic's live controls, with its layout, keys and close box.
#include "common/win32/dpi.h"
#include "orlisk/win32/file_system_search.h"
#include "orlisk/win32/registry_settings_store.h"
#include "orlisk/win32/settings_layout.h"
#include "orlisk/win32/settings_window.h"
#include "orlisk/win32/single_instance.h"
#include "orlisk/win32/tray_icon.h"
#include "orlisk/win32/win32_program_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace lyrics::orlisk::win32 {
namespace {

// Removes what a test left in the queue, the WM_QUIT of a destroyed settings window included.
void DrainMessages() {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) ::DispatchMessageW(&msg);
    }
}

TEST(TrayTip, FitsTheShellsLimitWithAnEllipsis) {
    EXPECT_EQ(FitTip(L"Last Opened: Artist - Song"), L"Last Opened: Artist - Song");
    const std::wstring exact(kMaxTipLength, L'a');
    EXPECT_EQ(FitTip(exact), exact);

    const std::wstring tip = FitTip(std::wstring(300, L'b'));
    ASSERT_EQ(tip.size(), kMaxTipLength);
    EXPECT_EQ(tip.back(), L'\u2026');
    EXPECT_EQ(tip.substr(0, kMaxTipLength - 1), std::wstring(kMaxTipLength - 1, L'b'));

    // A character outside the basic plane at the cut is dropped whole, never halved.
    std::wstring surrogates(kMaxTipLength - 2, L'c');
    surrogates += L"\U0001F3B5\U0001F3B5";
    const std::wstring cut = FitTip(surrogates);
    EXPECT_LE(cut.size(), kMaxTipLength);
    EXPECT_FALSE(IS_HIGH_SURROGATE(cut[cut.size() - 2]));
    EXPECT_EQ(cut.back(), L'\u2026');
}

class RecordingEvents final : public SettingsWindowEvents {
public:
    void cmdBrowse_Click() override { calls.push_back(L"cmdBrowse"); }
    void cmdOK_Click() override { calls.push_back(L"cmdOK"); }
    void cmdExit_Click() override { calls.push_back(L"cmdExit"); }
    void cmdHelp_Click() override { calls.push_back(L"cmdHelp"); }
    void chkStartup_Click() override { calls.push_back(L"chkStartup"); }
    void chkAuto_Click() override { calls.push_back(L"chkAuto"); }
    void tmrAuto_Timer() override { calls.push_back(L"tmrAuto"); }
    void cSysTray_MouseUp(int buttonCode, POINT anchor) override {
        calls.push_back(L"cSysTray" + std::to_wstring(buttonCode));
        lastAnchor = anchor;
    }
    std::vector<std::wstring> calls;
    POINT lastAnchor{};
};

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.Create(::GetModuleHandleW(nullptr))); }
    void TearDown() override {
        window.Close();
        DrainMessages();
    }
    HWND Child(int id) const { return ::GetDlgItem(window.Hwnd(), id); }
    RECT ChildRect(int id) const {
        RECT rect{};
        ::GetWindowRect(Child(id), &rect);
        ::MapWindowPoints(nullptr, window.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    RecordingEvents events;
    SettingsWindow window{events};
};

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

TEST_F(SettingsWindowTest, LaysTheFormOutInTwipsAtTheWindowsDpi) {
    const UINT dpi = ::GetDpiForWindow(window.Hwnd());
    RECT client{};
    ::GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(4365, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(2190, dpi));

    const RECT path = ChildRect(kIdTxtPath);
    EXPECT_EQ(path.left, TwipsToPixels(1230, dpi));
    EXPECT_EQ(path.top, TwipsToPixels(40, dpi));
    EXPECT_EQ(path.right - path.left, TwipsToPixels(2655, dpi));
    const RECT ok = ChildRect(kIdCmdOK);
    EXPECT_EQ(ok.left, TwipsToPixels(1660, dpi));
    EXPECT_EQ(ok.top, TwipsToPixels(1800, dpi));
    EXPECT_EQ(ok.bottom - ok.top, TwipsToPixels(375, dpi));
    // Inside the frame, placed relative to it: the frame stands at (-90, 480).
    const RECT maximized = ChildRect(kIdOptSize2);
    EXPECT_EQ(maximized.left, TwipsToPixels(-90 + 2400, dpi));
    EXPECT_EQ(maximized.top, TwipsToPixels(480 + 300, dpi));
    const RECT frame = ChildRect(kIdFraOptions);
    EXPECT_EQ(frame.left, TwipsToPixels(-90, dpi));

    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(4365, 144), 437);
    EXPECT_EQ(TwipsToPixels(-90, 96), -6);
}

TEST_F(SettingsWindowTest, TabOrderFollowsTheForm) {
    std::vector<int> order;
    for (HWND child = ::GetWindow(window.Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        order.push_back(::GetDlgCtrlID(child));
    const std::vector<int> expected{kIdTxtPath, kIdCmdBrowse, kIdOptSize0, kIdOptSize1,   kIdOptSize2,   kIdChkStartup,
                                    kIdCmdHelp, kIdCmdOK,     kIdCmdExit,  kIdLblCaption, kIdFraOptions, kIdChkAuto};
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(::GetWindowLongPtrW(Child(kIdCmdOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
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
    ASSERT_EQ(events.calls, std::vector<std::wstring>{L"chkAuto"});
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
    EXPECT_EQ(events.calls, (std::vector<std::wstring>{L"cmdBrowse", L"cmdHelp", L"cmdOK", L"cmdExit"}));
}

TEST_F(SettingsWindowTest, EnterEscAndTheCloseBoxPressOK) {
    window.Show();
    ::SetFocus(Child(kIdTxtPath));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{Child(kIdTxtPath), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(window.PreTranslate(msg));
    }
    ::SendMessageW(window.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events.calls, (std::vector<std::wstring>{L"cmdOK", L"cmdOK", L"cmdOK"}));
    EXPECT_TRUE(::IsWindow(window.Hwnd())) << "the close box never ends the program unsaved";
}

TEST_F(SettingsWindowTest, TimerTicksReachTmrAuto) {
    window.SetTimerRunning(true);
    ::SendMessageW(window.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(events.calls, std::vector<std::wstring>{L"tmrAuto"});
}

TEST(TrayEvents, TurnMouseMessagesIntoButtonCodes) {
    // Not added to the tray: the shell's first callback form, the mouse message in lParam.
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    TrayIcon legacy(owner, 7, WM_APP + 1, {}, L"Orlisk");
    EXPECT_EQ(legacy.Decode(7, WM_LBUTTONUP).buttonCode, 1);
    EXPECT_EQ(legacy.Decode(7, WM_RBUTTONUP).buttonCode, 2);
    EXPECT_EQ(legacy.Decode(7, WM_MOUSEMOVE).buttonCode, 0);
    EXPECT_EQ(legacy.Decode(7, WM_LBUTTONDOWN).buttonCode, 0);
    ::DestroyWindow(owner);
}

TEST_F(SettingsWindowTest, TrayEventsOfTheCurrentShellCarryTheirAnchor) {
    // The window added its icon and asked for the version-4 callbacks; Wine's tray grants them.
    const UINT callback = WM_APP + 1;
    const auto send = [&](UINT message, int x, int y) {
        ::SendMessageW(window.Hwnd(), callback, MAKEWPARAM(static_cast<WORD>(x), static_cast<WORD>(y)), MAKELPARAM(message, 1));
    };
    send(WM_LBUTTONUP, 10, 20);
    send(NIN_SELECT, 10, 20);
    send(WM_RBUTTONUP, -300, 40);
    send(WM_CONTEXTMENU, -300, 40);
    EXPECT_EQ(events.calls, (std::vector<std::wstring>{L"cSysTray1", L"cSysTray2"}))
        << "one action per click: NIN_SELECT and WM_RBUTTONUP come along with the ones acted on";
    EXPECT_EQ(events.lastAnchor.x, -300) << "a monitor left of the primary one has negative positions";
    EXPECT_EQ(events.lastAnchor.y, 40);
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Orlisk"); }
    void TearDown() override { SetUp(); }
    static void StoreRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(RegistrySettingsStore::kKeyPath).c_str(), 0, nullptr, 0,
                                    KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
        ::RegCloseKey(key);
    }
    RegistrySettingsStore store;
};

TEST_F(RegistryStoreTest, ReadsBackWhatItWroteAndDefaultsTheRest) {
    EXPECT_EQ(store.Read(L"Path", L""), L"") << "no key at all";
    EXPECT_EQ(store.Read(L"Start", L"1"), L"1");
    ASSERT_TRUE(store.Write(L"Path", L"C:\\Lyrics \u00e9\u4e2d\\"));
    ASSERT_TRUE(store.Write(L"Size", L"2"));
    EXPECT_EQ(store.Read(L"Path", L""), L"C:\\Lyrics \u00e9\u4e2d\\");
    EXPECT_EQ(store.Read(L"Size", L"0"), L"2");
    EXPECT_EQ(store.Read(L"Auto", L"0"), L"0");
    ASSERT_TRUE(store.Write(L"Path", L""));
    EXPECT_EQ(store.Read(L"Path", L"fallback"), L"") << "an empty value is a value";
}

TEST_F(RegistryStoreTest, ValuesThatAreNoTextReadAsTheDefault) {
    const DWORD number = 1;
    StoreRaw(L"Start", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(store.Read(L"Start", L"1"), L"1");
    // Written by another program without the terminating NUL.
    const wchar_t text[] = {L'2'};
    StoreRaw(L"Size", REG_SZ, text, sizeof text);
    EXPECT_EQ(store.Read(L"Size", L"0"), L"2");
    const std::vector<wchar_t> huge(200 * 1024, L'x');
    StoreRaw(L"Path", REG_SZ, huge.data(), static_cast<DWORD>(huge.size() * sizeof(wchar_t)));
    EXPECT_EQ(store.Read(L"Path", L""), L"") << "an absurdly long value is not taken";
}

TEST(FileSystemSearch, FindsFilesAndFoldersByPattern) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder =
        std::filesystem::path(temp) / (L"orlisk-search-" + std::to_wstring(::GetCurrentProcessId()));
    std::filesystem::create_directories(folder / L"empty");
    std::ofstream(folder / L"Artist - Song.txt") << "la";
    const std::wstring base = folder.wstring();

    FileSystemSearch search;
    EXPECT_TRUE(search.FindsEntry(base));
    EXPECT_TRUE(search.FindsEntry(base + L"\\*"));
    EXPECT_TRUE(search.FindsEntry(base + L"\\Artist - Song.txt")) << "a file passes as well";
    EXPECT_TRUE(search.FindsEntry(base + L"\\*.txt"));
    EXPECT_TRUE(search.FindsEntry(base + L"\\empty\\*")) << "\".\" and \"..\" are entries";
    EXPECT_FALSE(search.FindsEntry(base + L"\\missing"));
    EXPECT_FALSE(search.FindsEntry(base + L"\\missing\\*"));
    EXPECT_FALSE(search.FindsEntry(L""));
    std::filesystem::remove_all(folder);
}

TEST(ProgramHost, NamesTheProgramsFolderWithoutItsBackslash) {
    const SingleInstance instance;
    Win32ProgramHost host(instance);
    const std::wstring folder = host.ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / L"orlisk_win32_tests.exe"));
}

TEST(SingleInstance, TheFirstHoldsTheNameForItsLife) {
    std::optional<SingleInstance> first;
    first.emplace();
    EXPECT_FALSE(first->AnotherIsRunning());
    {
        const SingleInstance second;
        EXPECT_TRUE(second.AnotherIsRunning());
    }
    first.reset();
    const SingleInstance later;
    EXPECT_FALSE(later.AnotherIsRunning()) << "the name is free again once the first has gone";
}

}  // namespace
}  // namespace lyrics::orlisk::win32
