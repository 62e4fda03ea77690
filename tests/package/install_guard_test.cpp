// What the installer refuses to do to a user's files and installs, silently under Wine: it writes
// into no folder holding files it did not put there, replaces and removes nothing while a program
// of the install runs, never leaves a first install without its uninstaller by installing a second
// one elsewhere, and its quiet uninstall command returns only once everything is removed.
#include "tests/package/install_fixture.h"

namespace {

using namespace package_test;

constexpr DWORD kExitInUse = 3;
constexpr DWORD kExitFolderRefused = 4;

// The log holds text (the installer writes it in the system's code page; these are ASCII).
void ExpectLogged(const std::string& text) {
    EXPECT_NE(FileBytes(LogFile()).find(text), std::string::npos) << "the log has no \"" << text << "\":\n"
                                                                  << FileBytes(LogFile());
}

TEST_F(InstallerTest, ASilentInstallRefusesAFolderHoldingFilesItDidNotPutThere) {
    WriteFile(UsersOwnFolder() / L"README.txt", "My own notes\r\n");
    WriteFile(UsersOwnFolder() / L"LICENSE.txt", "Mine\r\n");

    EXPECT_EQ(RunSetup(L" /D=" + UsersOwnFolder().wstring()), kExitFolderRefused);
    EXPECT_EQ(FolderEntries(UsersOwnFolder()), (std::vector<std::wstring>{L"LICENSE.txt", L"README.txt"}));
    EXPECT_EQ(FileBytes(UsersOwnFolder() / L"README.txt"), "My own notes\r\n");
    EXPECT_EQ(FileBytes(UsersOwnFolder() / L"LICENSE.txt"), "Mine\r\n");
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_FALSE(fs::exists(StartMenuFolder()));
    ExpectLogged("The folder " + UsersOwnFolder().string() + " already holds README.txt");
}

// Match may be in the middle of a run, lyrics.exe of a script: neither is ended for the user.
// lyrics.exe's file is held as Windows holds a running program's (mapped as an image).
TEST_F(InstallerTest, AnUpgradeOrUninstallWhileMatchOrLyricsRunsChangesNothingAndFails) {
    for (const bool lyricsTool : {false, true}) {
        SCOPED_TRACE(lyricsTool ? "lyrics.exe runs" : "Match.exe runs");
        Install(L" /RUNATSIGNIN=0");
        // A file an upgrade would replace, made different from the new one.
        const fs::path help = DefaultFolder() / L"Match Help.txt";
        const std::string earlier = FileBytes(help) + "an earlier release\r\n";
        WriteFile(help, earlier);

        StartedProcess match;
        std::optional<HeldProgramFile> lyricsRunning;
        if (lyricsTool) {
            lyricsRunning.emplace(DefaultFolder() / L"lyrics.exe");
            ASSERT_TRUE(lyricsRunning->Held());
        } else {
            StartMatch(match, DefaultFolder());
        }
        const std::string name = lyricsTool ? "lyrics.exe" : "Match.exe";
        // A run that stops leaves Orlisk running too.
        StartedProcess orlisk;
        StartOrlisk(orlisk, DefaultFolder());

        EXPECT_EQ(RunSetup(L" /RUNATSIGNIN=0"), kExitInUse) << "upgrade";
        EXPECT_EQ(FileBytes(help), earlier) << "the upgrade replaced files beside the running " << name;
        ExpectLogged((DefaultFolder() / name).string() + " is running: nothing was changed.");

        EXPECT_EQ(lyrics::testing::Run(QuietUninstall()), kExitInUse) << "uninstall";
        EXPECT_EQ(FolderEntries(DefaultFolder()), kInstalledFiles);
        EXPECT_TRUE(KeyExists(kUninstallKey)) << "the uninstall entry went while the files stay";
        EXPECT_TRUE(fs::exists(StartMenuFolder() / L"Match.lnk"));
        EXPECT_TRUE(orlisk.IsRunning()) << "Orlisk was ended for a run that did not happen";

        match.End();
        lyricsRunning.reset();
        Install(L" /RUNATSIGNIN=0");
        EXPECT_NE(FileBytes(help), earlier) << "the upgrade after the program ended";
        Uninstall(QuietUninstall());
        ExpectNothingLeft(DefaultFolder());
        RemoveLeftovers();
    }
}

TEST_F(InstallerTest, ASecondInstallGoesWhereTheFirstIsNeverBesideIt) {
    Install(L" /RUNATSIGNIN=0 /D=" + ChosenFolder().wstring());

    EXPECT_EQ(RunSetup(L" /RUNATSIGNIN=0 /D=" + OtherFolder().wstring()), kExitFolderRefused);
    EXPECT_FALSE(fs::exists(OtherFolder()));
    ExpectLogged("Lyrics Tools is installed in " + ChosenFolder().string());
    // Without a folder given, the folder offered is the install's own.
    Install(L" /RUNATSIGNIN=0");
    ExpectInstalledIn(ChosenFolder(), false);
    EXPECT_FALSE(fs::exists(DefaultFolder()));

    // An entry whose install was deleted by hand holds no folder.
    // (The folder may be held for a moment after setup.exe has ended, under Wine.)
    ASSERT_TRUE(WaitFor(
        [] {
            std::error_code ignored;
            fs::remove_all(ChosenFolder(), ignored);
            return !fs::exists(ChosenFolder());
        },
        5s));
    Install(L" /RUNATSIGNIN=0 /D=" + OtherFolder().wstring());
    ExpectInstalledIn(OtherFolder(), false);
    Uninstall(QuietUninstall());
    ExpectNothingLeft(OtherFolder());
}

// Tools that run the quiet uninstall command (winget, scripts) take its end for the uninstall's.
TEST_F(InstallerTest, TheQuietUninstallEndsOnlyOnceEverythingIsRemovedAndSaysWhereTheListsStay) {
    for (const bool withList : {false, true}) {
        SCOPED_TRACE(withList ? "with an unmatch list" : "without lists");
        Install(L" /RUNATSIGNIN=0");
        if (withList) WriteFile(DefaultFolder() / kUnmatchList, kUnmatchListText);

        const std::vector<std::wstring> kept = withList ? std::vector<std::wstring>{kUnmatchList} : std::vector<std::wstring>{};
        EXPECT_EQ(lyrics::testing::Run(QuietUninstall()), DWORD{0});
        // When the command returns, all is removed but the uninstaller's own file, which no
        // running program may delete; a copy of it removes that, and the folder, a moment later.
        EXPECT_TRUE(NoUninstallerRuns());
        std::vector<std::wstring> left = FolderEntries(DefaultFolder());
        std::erase(left, L"Uninstall.exe");
        EXPECT_EQ(left, kept);
        EXPECT_FALSE(KeyExists(kUninstallKey));
        EXPECT_FALSE(fs::exists(StartMenuFolder()));
        EXPECT_TRUE(
            WaitFor([&] { return FolderEntries(DefaultFolder()) == kept && fs::exists(DefaultFolder()) == withList; }, 5s));
        ExpectNothingLeft(DefaultFolder(), kept);
        if (withList) ExpectLogged("the unmatch lists were kept in " + DefaultFolder().string());
        RemoveLeftovers();
    }
}

}  // namespace
