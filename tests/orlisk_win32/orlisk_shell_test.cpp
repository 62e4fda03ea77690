// The Windows side of opening lyrics and of the tray menu, under Wine: what ShellDocument hands
// the shell and when it returns, and the real pop-up menu that Win32TrayMenu builds and tracks.
#include "orlisk/tray_menu.h"
#include "orlisk/win32/shell_win32.h"
#include "orlisk/win32/tray_menu_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/driver/file_bytes.h"
#include "tests/driver/notepad.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_search.h"

namespace lyrics::orlisk::win32 {
namespace {

using namespace std::chrono_literals;

using lyrics::testing::EndProcess;
using lyrics::testing::ProcessOf;

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows = lyrics::testing::TopLevelWindows();
    std::erase_if(windows, [](HWND window) { return !::IsWindowVisible(window); });
    return windows;
}

class ShellDocumentTest : public ::testing::Test {
protected:
    std::wstring InFolder(const std::wstring& name) const { return folder.Path() + L"\\" + name; }
    const lyrics::testing::ScratchFolder folder{L"orlisk-shell"};
    ShellDocument shell;
};

TEST_F(ShellDocumentTest, NeverHandsTheShellAFolderOrAPathLongerThanItTakes) {
    const std::vector<HWND> before = VisibleTopLevelWindows();
    // A folder named as lyrics would be: the shell would open it in an Explorer window.
    folder.AddFolder(L"Folder Song.txt");
    EXPECT_FALSE(shell.Open(kNoWindow, InFolder(L"Folder Song.txt"), ShowCommand::Normal));

    // Wine's shell wrote a path this long over its own stack; on Windows it is no file name anyway.
    const std::wstring overlong = InFolder(std::wstring(2000, L'x') + L".txt");
    EXPECT_FALSE(shell.Open(kNoWindow, overlong, ShowCommand::Normal));
    EXPECT_FALSE(ShellTakesDocument(L"C:\\" + std::wstring(257, L'p')));
    EXPECT_TRUE(ShellTakesDocument(L"C:\\" + std::wstring(256, L'p'))) << "a missing file is the shell's to report";

    std::this_thread::sleep_for(1500ms);
    std::vector<HWND> opened;
    for (HWND window : VisibleTopLevelWindows())
        if (std::find(before.begin(), before.end(), window) == before.end()) opened.push_back(window);
    for (HWND window : opened) EndProcess(ProcessOf(window));
    EXPECT_TRUE(opened.empty()) << "no window was opened";
}

TEST_F(ShellDocumentTest, ReturnsOnceTheStartedProgramsWindowIsThere) {
    const std::wstring title = L"Shell Test " + std::to_wstring(::GetCurrentProcessId());
    ASSERT_TRUE(folder.AddFile(title + L".txt", "la la la\r\n"));
    ASSERT_TRUE(shell.Open(kNoWindow, InFolder(title + L".txt"), ShowCommand::Normal));
    // Looked for at once, as the next tray click's close would look.
    EXPECT_NE(lyrics::testing::NotepadOf(title + L".txt"), nullptr) << "the Notepad window exists when Open returns";
    if (const HWND notepad = lyrics::testing::WaitForNotepad(title + L".txt", 5s)) EndProcess(ProcessOf(notepad));

    EXPECT_FALSE(shell.Open(kNoWindow, InFolder(L"Missing.txt"), ShowCommand::Normal))
        << "a missing file is reported, with no box";
}

// The real menu, read and answered from inside its own menu loop, which keeps dispatching this
// thread's timer.
struct MenuVisit {
    int commandsDown = 0;  // how many commands down the keyboard goes before Enter
    std::vector<std::wstring> captions;
    std::vector<UINT> ids;
    UINT defaultId = 0;
    UINT defaultState = 0;
    bool seen = false;
};
MenuVisit* currentVisit = nullptr;

void CALLBACK ReadAndAnswerMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !::IsWindowVisible(menuWindow)) return;
    ::KillTimer(nullptr, timer);
    MenuVisit& visit = *currentVisit;
    visit.seen = true;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
        wchar_t caption[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(position), caption, 64, MF_BYPOSITION);
        visit.captions.emplace_back(caption);
        visit.ids.push_back(::GetMenuItemID(menu, position));
    }
    visit.defaultId = ::GetMenuDefaultItem(menu, FALSE, 0);
    visit.defaultState = ::GetMenuState(menu, visit.defaultId, MF_BYCOMMAND);
    for (int step = 0; step < visit.commandsDown; ++step) {
        ::PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menuWindow, WM_KEYUP, VK_DOWN, 0);
    }
    ::PostMessageW(menuWindow, WM_KEYDOWN, visit.commandsDown > 0 ? VK_RETURN : VK_ESCAPE, 0);
}

TEST(TrayMenuWindow, EachCaptionRunsItsOwnCommandAndSettingsIsTheDefault) {
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    Win32TrayMenu menu;
    menu.PlaceAt(owner, POINT{200, 200});

    // Down the commands in the order they show, then once more choosing nothing (Esc).
    const std::vector<std::pair<std::wstring, MenuCommand>> expected = {{L"Exit", MenuCommand::Exit},
                                                                        {L"Settings", MenuCommand::Settings},
                                                                        {L"Close Lyrics", MenuCommand::CloseLyrics},
                                                                        {L"Open Lyrics", MenuCommand::OpenLyrics}};
    for (int down = 0; down <= static_cast<int>(expected.size()); ++down) {
        SCOPED_TRACE(down);
        MenuVisit visit;
        visit.commandsDown = down;
        currentVisit = &visit;
        ::SetTimer(nullptr, 0, 50, ReadAndAnswerMenu);
        const MenuCommand chosen = menu.Choose();
        currentVisit = nullptr;
        ASSERT_TRUE(visit.seen) << "the menu showed";
        EXPECT_EQ(chosen, down == 0 ? MenuCommand::None : expected[down - 1].second)
            << "chose "
            << (down == 0 ? "nothing" : std::string(expected[down - 1].first.begin(), expected[down - 1].first.end()));

        EXPECT_EQ(visit.captions, (std::vector<std::wstring>{L"Exit", L"", L"Settings", L"", L"Close Lyrics", L"Open Lyrics"}));
        // Separators carry no command; "Settings" is the one default.
        const auto id = [](MenuCommand command) { return static_cast<UINT>(command); };
        EXPECT_EQ(visit.ids, (std::vector<UINT>{id(MenuCommand::Exit), 0, id(MenuCommand::Settings), 0,
                                                id(MenuCommand::CloseLyrics), id(MenuCommand::OpenLyrics)}));
        EXPECT_EQ(visit.defaultId, static_cast<UINT>(MenuCommand::Settings));
        EXPECT_NE(visit.defaultState & MFS_DEFAULT, 0u) << "drawn in bold";
    }
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::DestroyWindow(owner);
}

}  // namespace
}  // namespace lyrics::orlisk::win32
