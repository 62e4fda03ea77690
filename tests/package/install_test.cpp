// The per-user installer, run silently under Wine as a user's machine would run it: what an
// install puts down (programs, help files, Start-menu shortcuts, the "Apps" entry, the sign-in
// entry when chosen), the installed Match starting, and uninstalls that first end a running
// Orlisk, which saves its settings as "Exit Program" does, then remove everything the installer
// put down and nothing of the user's: unmatch lists stay, and so do Orlisk's settings unless the
// uninstall is told to remove them.
//
// Command line: --setup=<lyrics-tools-<version>-setup.exe> --version=<x.y.z>, as
// tests/package/check-package gives them. It installs into the prefix it runs in, which it leaves
// as it found it, and needs the desktop of scripts/wine-env (Orlisk's tray, Match's window).
#include "tests/package/install_fixture.h"

namespace {

using namespace package_test;

TEST_F(InstallerTest, DefaultInstallStartsMatchThenUninstallEndsOrliskAndKeepsItsSettings) {
    Install(L"");
    ExpectInstalledIn(DefaultFolder(), true);

    StartedProcess match;
    StartMatch(match, DefaultFolder());
    for (HWND window : TopLevelWindows(kMatchClass, match.Id())) ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(match.WaitForExit(10s));

    StartedProcess orlisk;
    StartOrlisk(orlisk, DefaultFolder());
    // As "Apps & features" does it: the registered command, silent.
    Uninstall(StringValue(kUninstallKey, L"UninstallString").value_or(L"") + L" /S");
    ExpectOrliskExited(orlisk);
    ExpectNothingLeft(DefaultFolder());
    EXPECT_TRUE(KeyExists(kSettingsKey));
}

TEST_F(InstallerTest, ChosenFolderWithoutSignInEntryThenUninstallRemovesSettingsButNotTheUsersLists) {
    Install(L" /RUNATSIGNIN=0 /D=" + ChosenFolder().wstring());
    ExpectInstalledIn(ChosenFolder(), false);

    WriteFile(ChosenFolder() / kUnmatchList, kUnmatchListText);
    SetStringValue(kSettingsKey, L"Path", LyricsFolder().wstring() + L"\\");

    Uninstall(StringValue(kUninstallKey, L"UninstallString").value_or(L"") + L" /S /REMOVESETTINGS=1");
    ExpectNothingLeft(ChosenFolder(), {kUnmatchList});
    EXPECT_FALSE(KeyExists(kOrliskKey));
}

TEST_F(InstallerTest, InstallOverRunningOrliskEndsItFirstAndDropsAnEarlierSignInEntry) {
    Install(L"");
    ExpectInstalledIn(DefaultFolder(), true);
    StartedProcess orlisk;
    StartOrlisk(orlisk, DefaultFolder());

    Install(L" /RUNATSIGNIN=0");
    ExpectOrliskExited(orlisk);
    ExpectInstalledIn(DefaultFolder(), false);

    Uninstall(QuietUninstall());
    ExpectNothingLeft(DefaultFolder());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument.starts_with(L"--setup=")) Arguments().setup = WindowsPath(argument.substr(8));
        if (argument.starts_with(L"--version=")) Arguments().version = argument.substr(10);
    }
    // Shortcuts are read through the shell's COM objects.
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    const int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}
