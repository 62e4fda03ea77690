// The tray icon's mouse event and its menu.
#include "orlisk/tray_menu.h"

#include <gtest/gtest.h>

#include "tests/orlisk/orlisk_fixture.h"

namespace lyrics::orlisk {
namespace {

class Tray : public testing::OrliskTest {
protected:
    Tray() : OrliskTest({L"1. Song - Winamp"}) {}
};

TEST_F(Tray, FirstButtonReopensSecondShowsTheMenuOthersDoNothing) {
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(1), ProgramNext::KeepRunning);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.menu.shown, 0);
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(2), ProgramNext::KeepRunning);
    EXPECT_EQ(o.menu.shown, 1);
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(0), ProgramNext::KeepRunning);
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(4), ProgramNext::KeepRunning);
    EXPECT_EQ(o.menu.shown, 1);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(o.desktop.walksStarted, 1);
}

TEST_F(Tray, SecondButtonRunsTheCommandChosenInTheMenu) {
    EXPECT_EQ(Choose(MenuCommand::OpenLyrics), ProgramNext::KeepRunning);
    ASSERT_EQ(o.shell.opened.size(), 1u);
    const WindowHandle notepad = o.desktop.Add(L"Song - Notepad");
    EXPECT_EQ(Choose(MenuCommand::CloseLyrics), ProgramNext::KeepRunning);
    EXPECT_EQ(o.desktop.PostedTo(notepad).size(), 2u);
    EXPECT_EQ(o.shell.opened.size(), 1u);
    EXPECT_EQ(Choose(MenuCommand::Settings), ProgramNext::KeepRunning);
    EXPECT_TRUE(o.controls.shown);
    EXPECT_FALSE(o.logic.EndRequested());
    EXPECT_EQ(Choose(MenuCommand::Exit), ProgramNext::End);
    EXPECT_TRUE(o.logic.EndRequested());
    EXPECT_EQ(o.store.writes, (std::vector<std::wstring>{L"Size", L"Start", L"Auto"}));
    EXPECT_EQ(o.menu.shown, 4);
}

TEST_F(Tray, TheMenuDuringAWalkStillShowsTheSettingsAndEnds) {
    o.logic.OpenLyrics();  // a song is known, so "Close Lyrics" would find its Notepad
    const WindowHandle notepad = o.desktop.Add(L"Song - Notepad");
    o.desktop.Add(L"Top");
    std::rotate(o.desktop.windows.rbegin(), o.desktop.windows.rbegin() + 1, o.desktop.windows.rend());
    std::vector<ProgramNext> answers;
    o.desktop.onPump = [&] {
        if (!answers.empty()) return;
        for (MenuCommand command :
             {MenuCommand::OpenLyrics, MenuCommand::CloseLyrics, MenuCommand::Settings, MenuCommand::Exit}) {
            answers.push_back(Choose(command));
        }
    };
    o.logic.OpenLyrics();  // passes over "Top", and the menu is used meanwhile
    EXPECT_EQ(o.menu.shown, 4);
    EXPECT_EQ(answers, (std::vector<ProgramNext>{ProgramNext::KeepRunning, ProgramNext::KeepRunning, ProgramNext::KeepRunning,
                                                 ProgramNext::End}));
    EXPECT_EQ(o.desktop.walksStarted, 2);              // "Open Lyrics" dropped
    EXPECT_TRUE(o.desktop.PostedTo(notepad).empty());  // "Close Lyrics" too
    EXPECT_TRUE(o.controls.shown);
    EXPECT_TRUE(o.logic.EndRequested());
    EXPECT_EQ(o.shell.opened.size(), 1u);  // the walk stopped: the program is ending
}

TEST_F(Tray, AClickWithoutWinampClosesTheOldLyricsAndSaysSo) {
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(1), ProgramNext::KeepRunning);
    const WindowHandle notepad = o.desktop.Add(L"Song - Notepad");
    o.desktop.Remove(winamp);
    o.desktop.Add(L"Program Manager");
    EXPECT_EQ(o.logic.cSysTray_MouseEvent(1), ProgramNext::KeepRunning);
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
