// The tray icon's mouse event and its menu.
#include "orlisk/tray_menu.h"

#include <gtest/gtest.h>

#include "fake_ports.h"

namespace lyrics::orlisk {
namespace {

TEST(TrayMenu, SixItemsInOrderWithSettingsTheOnlyDefault) {
    std::vector<std::wstring_view> captions;
    for (const MenuItem& item : kTrayMenu) {
        captions.push_back(item.caption);
        EXPECT_EQ(item.isDefault, item.command == MenuCommand::Settings);
        EXPECT_EQ(item.caption.empty(), item.command == MenuCommand::None);
    }
    EXPECT_EQ(captions, (std::vector<std::wstring_view>{L"Exit", L"", L"Settings", L"", L"Close Lyrics", L"Open Lyrics"}));
}

class Tray : public ::testing::Test {
protected:
    Tray() {
        o.controls.txtPath = L"C:\\Lyrics\\";
        winamp = o.desktop.Add(L"1. Song - Winamp");
    }
    testing::FakeOrlisk o;
    WindowHandle winamp = kNoWindow;
};

TEST_F(Tray, FirstButtonReopensSecondAsksForTheMenuOthersDoNothing) {
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(1), TrayResponse::Nothing);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(2), TrayResponse::ShowMenu);
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(0), TrayResponse::Nothing);
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(4), TrayResponse::Nothing);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.desktop.walksStarted, 1);
}

TEST_F(Tray, AClickWithoutWinampClosesTheOldLyricsAndSaysSo) {
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(1), TrayResponse::Nothing);
    const WindowHandle notepad = o.desktop.Add(L"Song - Notepad");
    o.desktop.Remove(winamp);
    o.desktop.Add(L"Program Manager");
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(1), TrayResponse::Nothing);
    EXPECT_EQ(o.desktop.PostedTo(notepad).size(), 2u);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.tip.Current(), L"Winamp may not be open");
}

TEST_F(Tray, MenuCommands) {
    EXPECT_EQ(o.logic.RunMenuCommand(MenuCommand::None), ProgramNext::KeepRunning);
    EXPECT_FALSE(o.controls.shown);
    EXPECT_TRUE(o.store.writes.empty());
    EXPECT_EQ(o.logic.RunMenuCommand(MenuCommand::Settings), ProgramNext::KeepRunning);
    EXPECT_EQ(o.logic.RunMenuCommand(MenuCommand::Settings), ProgramNext::KeepRunning);
    EXPECT_TRUE(o.controls.shown);
    o.controls.txtPath = L"C:\\Gone\\";
    EXPECT_EQ(o.logic.RunMenuCommand(MenuCommand::Exit), ProgramNext::End);
    EXPECT_EQ(o.store.writes, (std::vector<std::wstring>{L"Size", L"Start", L"Auto"}));
}

}  // namespace
}  // namespace lyrics::orlisk
