// Start-up from stored settings, the check boxes that depend on each other, what "OK", "Exit
// Program" and "Help" do, and the tray icon's mouse event and its menu.
#include "orlisk/settings_values.h"
#include "orlisk/tray_menu.h"

#include <gtest/gtest.h>

#include "tests/orlisk/orlisk_fixture.h"

namespace lyrics::orlisk::testing {
namespace {

class Settings : public OrliskTest {
protected:
    Settings() : OrliskTest({L"12. Artist - Song - Winamp"}) {
        o.files.AddFolder(L"C:\\Lyrics");
        o.files.AddFile(L"C:\\Lyrics\\Artist - Song.txt");
    }
    ProgramNext Load(std::map<std::wstring, std::wstring> stored) {
        o.store.values = std::move(stored);
        return o.logic.Form_Load();
    }
};

TEST_F(Settings, FirstStartShowsTheWindowAndStillOpensLyrics) {
    EXPECT_EQ(Load({}), ProgramNext::KeepRunning);
    EXPECT_EQ(o.controls.txtPath, L"");
    EXPECT_TRUE(o.controls.shown);
    EXPECT_EQ(o.controls.Choices(), std::tuple(kSizeNormal, CheckState::Checked, CheckState::Unchecked, false));
    EXPECT_EQ(o.desktop.walksStarted, 1);  // OpenLyrics ran; with no folder nothing is opened
    EXPECT_EQ(o.tip.Current(), L"Could not open file: Artist - Song");
    EXPECT_TRUE(o.store.writes.empty());
}

TEST_F(Settings, AStoredFolderGetsItsBackslashAndTheWindowStaysHidden) {
    Load({{L"Path", L"C:\\Lyrics"}, {L"Size", L"2"}});
    EXPECT_EQ(o.controls.txtPath, L"C:\\Lyrics\\");
    EXPECT_FALSE(o.controls.shown);
    ASSERT_FALSE(o.files.searched.empty());
    EXPECT_EQ(o.files.searched.back(), L"C:\\Lyrics\\*");
    EXPECT_EQ(o.shell.opened, (std::vector<OpenedDocument>{{7, L"C:\\Lyrics\\Artist - Song.txt", ShowCommand::Maximized}}));

    FakeOrlisk missing;
    missing.store.values = {{L"Path", L"D:\\Gone\\"}, {L"Start", L"0"}};
    EXPECT_EQ(missing.logic.Form_Load(), ProgramNext::KeepRunning);
    EXPECT_TRUE(missing.controls.shown);
    EXPECT_EQ(missing.desktop.walksStarted, 0);
}

TEST_F(Settings, AutoOnChecksStartupAndStartsTheTimerButStoresNothing) {
    Load({{L"Path", L"C:\\Lyrics\\"}, {L"Start", L"0"}, {L"Auto", L"1"}});
    EXPECT_EQ(o.controls.Choices(), std::tuple(kSizeNormal, CheckState::Checked, CheckState::Checked, true));
    EXPECT_EQ(o.store.values[L"Start"], L"0");
    EXPECT_TRUE(o.store.writes.empty());
    EXPECT_EQ(o.shell.opened.size(), 1u);
}

// A Notepad of exactly the song, left open by an Orlisk that ran before, comes to the front at
// start-up instead of a second copy; a window of another class under that caption does not count,
// and later opens are not affected.
TEST_F(Settings, AtStartAnOpenNotepadOfTheSongIsBroughtToTheFrontNotOpenedAgain) {
    o.desktop.Add(L"Artist - Song.txt - Notepad");
    const WindowHandle notepad = o.desktop.Add(L"ARTIST - SONG - Notepad");
    o.desktop.windows.back().className = L"Notepad";
    Load({{L"Path", L"C:\\Lyrics\\"}});
    EXPECT_TRUE(o.shell.opened.empty());
    EXPECT_EQ(o.desktop.broughtToFront, (std::vector<WindowHandle>{notepad}));
    EXPECT_EQ(o.tip.Current(), L"Last Opened: Artist - Song");

    o.logic.mnuOpen_Click();  // the user asks again: closes what is open and opens a fresh copy
    EXPECT_EQ(o.shell.opened.size(), 1u);
}

TEST_F(Settings, BadStoredValuesAreSkippedOneByOne) {
    struct Case {
        std::wstring size, start, automatic;
        int optSize;
        CheckState chkStartup, chkAuto;
        bool opens;
    };
    const Case cases[] = {
        {L"abc", L"0", L"0", kSizeNormal, CheckState::Unchecked, CheckState::Unchecked, false},
        {L"3", L"x", L"1", kSizeNormal, CheckState::Checked, CheckState::Checked, true},
        {L"-1", L"2", L"7", kSizeNormal, CheckState::Greyed, CheckState::Unchecked, false},
        {L" 1 ", L"-0", L"", kSizeMinimized, CheckState::Unchecked, CheckState::Unchecked, false},
        // A decimal part is compared as read, not rounded: only 0, 1 and 2 select.
        {L"1.5", L"0.4", L"2", kSizeNormal, CheckState::Checked, CheckState::Greyed, true},
        {L"2.5", L"1e0", L"0.5", kSizeNormal, CheckState::Checked, CheckState::Unchecked, true},
        {L"1.6", L"1.6", L"0.9", kSizeNormal, CheckState::Checked, CheckState::Unchecked, true},
        {L"2.0", L"0.0", L"1.4", kSizeMaximized, CheckState::Unchecked, CheckState::Unchecked, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.size.begin(), c.size.end()));
        FakeOrlisk fresh;
        fresh.files.AddFolder(L"C:\\Lyrics");
        fresh.store.values = {{L"Path", L"C:\\Lyrics\\"}, {L"Size", c.size}, {L"Start", c.start}, {L"Auto", c.automatic}};
        EXPECT_EQ(fresh.logic.Form_Load(), ProgramNext::KeepRunning);
        EXPECT_EQ(fresh.controls.Choices(), std::tuple(c.optSize, c.chkStartup, c.chkAuto, c.chkAuto == CheckState::Checked));
        EXPECT_EQ(fresh.desktop.walksStarted, c.opens ? 1 : 0);
    }
}

TEST_F(Settings, ASecondInstanceEndsBeforeTouchingAnything) {
    o.host.anotherInstance = true;
    EXPECT_EQ(Load({{L"Path", L"C:\\Lyrics\\"}}), ProgramNext::End);
    EXPECT_EQ(o.store.reads, 0);
    EXPECT_FALSE(o.controls.shown);
    EXPECT_EQ(o.desktop.walksStarted, 0);
    EXPECT_TRUE(o.tip.tips.empty());
}

TEST_F(Settings, StartupStaysCheckedWhileAutoIs) {
    o.controls.chkAuto = CheckState::Checked;
    o.logic.chkAuto_Click();
    EXPECT_TRUE(o.controls.tmrAuto);
    o.controls.chkStartup = CheckState::Unchecked;  // the user unchecks it
    o.logic.chkStartup_Click();
    EXPECT_EQ(o.controls.chkStartup, CheckState::Checked);
    o.controls.chkAuto = CheckState::Unchecked;
    o.logic.chkAuto_Click();
    EXPECT_FALSE(o.controls.tmrAuto);
    o.controls.chkStartup = CheckState::Unchecked;
    o.logic.chkStartup_Click();
    EXPECT_EQ(o.controls.chkStartup, CheckState::Unchecked);
    EXPECT_TRUE(o.store.writes.empty());
}

TEST_F(Settings, OkWithAMissingFolderSavesAllButThePathAndStaysOpen) {
    o.controls.shown = true;
    o.controls.txtPath = L"C:\\Nowhere";
    o.controls.optSize = kSizeMinimized;
    o.controls.chkStartup = CheckState::Unchecked;
    o.logic.cmdOK_Click();
    EXPECT_EQ(o.store.writes, (std::vector<std::wstring>{L"Size", L"Start", L"Auto"}));
    const std::map<std::wstring, std::wstring> saved{{L"Size", L"1"}, {L"Start", L"0"}, {L"Auto", L"0"}};
    EXPECT_EQ(o.store.values, saved);
    EXPECT_EQ(o.controls.txtPath, L"C:\\Nowhere");
    EXPECT_TRUE(o.controls.shown);
    o.controls.txtPath.clear();
    o.logic.cmdOK_Click();
    EXPECT_EQ(o.store.values, saved) << "no Path";
    EXPECT_TRUE(o.controls.shown);
}

TEST_F(Settings, OkWithAFolderAFileOrAPatternThatFindsOneStoresItWithABackslash) {
    const std::pair<std::wstring, int> rows[] = {{L"C:\\Lyrics", kSizeMaximized},
                                                 {L"C:\\Lyrics\\", kSizeNormal},
                                                 {L"C:\\Lyrics\\Artist - Song.txt", kSizeMinimized},
                                                 {L"C:\\Lyr*", kSizeMaximized}};
    for (const auto& [typed, size] : rows) {
        SCOPED_TRACE(std::string(typed.begin(), typed.end()));
        o.controls.shown = true;
        o.controls.txtPath = typed;
        o.controls.optSize = size;
        o.logic.cmdOK_Click();
        const std::wstring stored = typed.back() == L'\\' ? typed : typed + L"\\";
        EXPECT_EQ(o.controls.txtPath, stored);
        EXPECT_EQ(o.store.values[L"Path"], stored);
        EXPECT_EQ(o.store.values[L"Size"], std::to_wstring(size));
        EXPECT_FALSE(o.controls.shown);
        EXPECT_EQ(o.store.writes.back(), L"Path");
    }
}

TEST_F(Settings, OkWithAQuotedFolderUsesTheInsideAndLeavesTheBoxAsTyped) {
    for (const std::wstring typed : {L"\"C:\\Lyrics\"", L"\"C:\\Lyrics\\\""}) {
        SCOPED_TRACE(std::string(typed.begin(), typed.end()));
        o.controls.shown = true;
        o.controls.txtPath = typed;
        o.logic.cmdOK_Click();
        ASSERT_FALSE(o.files.searched.empty());
        EXPECT_EQ(o.files.searched.back(), typed.ends_with(L"\\\"") ? L"C:\\Lyrics\\*" : L"C:\\Lyrics");
        EXPECT_EQ(o.controls.txtPath, typed);
        EXPECT_EQ(o.store.values[L"Path"], L"C:\\Lyrics\\");
        EXPECT_FALSE(o.controls.shown);
        o.logic.mnuOpen_Click();
        ASSERT_FALSE(o.shell.opened.empty());
        EXPECT_EQ(o.shell.opened.back().document, L"C:\\Lyrics\\Artist - Song.txt");
    }
}

TEST_F(Settings, ExitSavesAsOkDoesAndEndsEvenWithABadFolder) {
    o.controls.txtPath = L"C:\\Nowhere\\";
    o.controls.chkAuto = CheckState::Checked;
    EXPECT_EQ(o.logic.cmdExit_Click(), ProgramNext::End);
    EXPECT_EQ(o.store.writes, (std::vector<std::wstring>{L"Size", L"Start", L"Auto"}));
    EXPECT_EQ(o.store.values[L"Auto"], L"1");
}

TEST_F(Settings, ASaveThatFailsIsToldInTheTip) {
    o.store.failWrites = true;
    o.logic.cmdOK_Click();
    EXPECT_EQ(o.tip.Current(), L"Could not save the settings");
}

// At a drive's root "Orlisk Help.txt" is tried first, then the page the package ships; missing
// files are not reported.
TEST_F(Settings, HelpOpensTheFileBesideTheProgram) {
    o.logic.cmdHelp_Click();
    o.host.programFolder = L"D:\\";
    o.logic.cmdHelp_Click();
    o.shell.opens = false;
    o.logic.cmdHelp_Click();
    o.host.programFolder = L"E:\\Tools";
    o.logic.cmdHelp_Click();
    EXPECT_EQ(o.shell.opened,
              (std::vector<OpenedDocument>{{7, L"C:\\Program Files\\Orlisk\\OrliskHelp.html", ShowCommand::Normal},
                                           {7, L"D:\\Orlisk Help.txt", ShowCommand::Normal},
                                           {7, L"D:\\Orlisk Help.txt", ShowCommand::Normal},
                                           {7, L"D:\\OrliskHelp.html", ShowCommand::Normal},
                                           {7, L"E:\\Tools\\OrliskHelp.html", ShowCommand::Normal}}));
    EXPECT_TRUE(o.tip.tips.empty());
}

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
}  // namespace lyrics::orlisk::testing
