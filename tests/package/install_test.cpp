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
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <fstream>

#include "tests/package/install_support.h"

namespace {

using namespace package_test;
namespace fs = std::filesystem;

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LyricsTools";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Orlisk";
constexpr wchar_t kOrliskKey[] = L"Software\\VB and VBA Program Settings\\Orlisk";
constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Orlisk\\Settings";
constexpr wchar_t kMatchClass[] = L"LyricsMatchMainWindow";
constexpr wchar_t kOrliskClass[] = L"OrliskSettingsWindow";
// NSIS runs an uninstaller from a copy of itself in the temporary folder, so that it can remove its
// own file; the copy's name is "Un.exe" (NSIS 3), "Au_.exe" before.
constexpr const wchar_t* kUninstallerCopies[] = {L"Un.exe", L"Au_.exe"};

// What an install puts into its folder, sorted as FolderEntries sorts.
const std::vector<std::wstring> kInstalledFiles = {L"LICENSE.txt",     L"Match Help.txt", L"Match.exe",     L"Orlisk.exe",
                                                   L"OrliskHelp.html", L"README.txt",     L"Uninstall.exe", L"lyrics.exe"};

struct Given {
    std::wstring setup;
    std::wstring version;
};
Given& Arguments() {
    static Given given;
    return given;
}

std::wstring Lower(std::wstring text) {
    if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

fs::path DefaultFolder() { return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Lyrics Tools"; }
fs::path ChosenFolder() { return KnownFolder(FOLDERID_Profile) / L"Chosen Place" / L"Lyrics Tools"; }
fs::path StartMenuFolder() { return KnownFolder(FOLDERID_Programs) / L"Lyrics Tools"; }
fs::path LyricsFolder() { return KnownFolder(FOLDERID_Profile) / L"Lyrics for the installer test"; }

// A visible top-level window of Match's class, of that process.
bool ShowsMatchWindow(DWORD processId) {
    for (HWND window : WindowsOfClass(kMatchClass, processId))
        if (::IsWindowVisible(window)) return true;
    return false;
}

class InstallerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Arguments().setup.empty()) << "no --setup=<setup.exe> given";
        ASSERT_FALSE(Arguments().version.empty()) << "no --version=<x.y.z> given";
        ASSERT_TRUE(fs::exists(Arguments().setup)) << "no installer at " << Arguments().setup;
        RemoveLeftovers();
    }

    void TearDown() override { RemoveLeftovers(); }

    // Whatever a failed test (or an interrupted run) left behind goes, so that each test starts
    // from a prefix without Lyrics Tools and the prefix ends as it began.
    static void RemoveLeftovers() {
        for (DWORD id : ProcessesNamed(L"Orlisk.exe")) {
            const lyrics::UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
            if (!process) continue;
            ::TerminateProcess(process.get(), 1);
            ::WaitForSingleObject(process.get(), 5000);
        }
        std::error_code ignored;
        fs::remove_all(DefaultFolder(), ignored);
        fs::remove_all(ChosenFolder().parent_path(), ignored);
        fs::remove_all(StartMenuFolder(), ignored);
        fs::remove_all(LyricsFolder(), ignored);
        DeleteKeyTree(kUninstallKey);
        DeleteValue(kRunKey, kRunValue);
        DeleteKeyTree(kOrliskKey);
    }

    static void Install(const std::wstring& switches) {
        EXPECT_EQ(package_test::Run(Quoted(Arguments().setup) + L" /S" + switches), DWORD{0}) << "setup.exe /S" << switches;
    }

    // Runs an uninstall command line and waits for the copy that does the work to finish.
    static void Uninstall(const std::wstring& commandLine) {
        EXPECT_EQ(package_test::Run(commandLine), DWORD{0}) << commandLine;
        const auto done = [] {
            for (const wchar_t* copy : kUninstallerCopies)
                if (!ProcessesNamed(copy).empty()) return false;
            return true;
        };
        EXPECT_TRUE(WaitFor(done, 60s)) << "the uninstaller still runs";
    }

    static void ExpectInstalledIn(const fs::path& folder, bool runAtSignIn) {
        EXPECT_EQ(FolderEntries(folder), kInstalledFiles);
        for (const wchar_t* program : {L"Match.exe", L"Orlisk.exe", L"lyrics.exe"})
            EXPECT_EQ(FileVersion(folder / program), Arguments().version + L".0") << program;

        EXPECT_EQ(Lower(ShortcutTarget(StartMenuFolder() / L"Match.lnk")), Lower(folder / L"Match.exe"));
        EXPECT_EQ(Lower(ShortcutTarget(StartMenuFolder() / L"Orlisk.lnk")), Lower(folder / L"Orlisk.exe"));

        // The "Apps" entry: what Windows shows, and what it runs to uninstall.
        EXPECT_NE(StringValue(kUninstallKey, L"DisplayName").value_or(L"").find(L"Lyrics Tools"), std::wstring::npos);
        EXPECT_EQ(StringValue(kUninstallKey, L"DisplayVersion"), Arguments().version);
        EXPECT_FALSE(StringValue(kUninstallKey, L"Publisher").value_or(L"").empty());
        EXPECT_EQ(StringValue(kUninstallKey, L"DisplayIcon"), (folder / L"Match.exe").wstring() + L",0");
        EXPECT_EQ(StringValue(kUninstallKey, L"InstallLocation"), folder.wstring());
        EXPECT_EQ(StringValue(kUninstallKey, L"UninstallString"), Quoted(folder / L"Uninstall.exe"));
        EXPECT_EQ(StringValue(kUninstallKey, L"QuietUninstallString"), Quoted(folder / L"Uninstall.exe") + L" /S");
        std::uintmax_t bytes = 0;
        for (const std::wstring& name : kInstalledFiles) bytes += fs::file_size(folder / name);
        const DWORD size = DwordValue(kUninstallKey, L"EstimatedSize").value_or(0);  // KiB
        EXPECT_NEAR(static_cast<double>(size), static_cast<double>(bytes) / 1024, 16.0);

        if (runAtSignIn) {
            EXPECT_EQ(StringValue(kRunKey, kRunValue), Quoted(folder / L"Orlisk.exe"));
        } else {
            EXPECT_EQ(StringValue(kRunKey, kRunValue), std::nullopt);
        }
    }

    // Nothing the installer put down is left; userFiles, the user's own, stay in the folder.
    static void ExpectNothingLeft(const fs::path& folder, const std::vector<std::wstring>& userFiles = {}) {
        EXPECT_EQ(FolderEntries(folder), userFiles);
        if (userFiles.empty()) {
            EXPECT_FALSE(fs::exists(folder)) << folder.string();
        }
        EXPECT_FALSE(fs::exists(StartMenuFolder())) << StartMenuFolder().string();
        EXPECT_FALSE(KeyExists(kUninstallKey));
        EXPECT_EQ(StringValue(kRunKey, kRunValue), std::nullopt);
    }

    // Starts the installed Orlisk with a lyrics folder stored, so that it stays in the tray, and
    // waits for its (hidden) settings window.
    static void StartOrlisk(Process& orlisk, const fs::path& folder) {
        fs::create_directories(LyricsFolder());
        SetStringValue(kSettingsKey, L"Path", LyricsFolder().wstring() + L"\\");
        ASSERT_TRUE(orlisk.Start(Quoted(folder / L"Orlisk.exe")));
        ASSERT_TRUE(WaitFor([&] { return !WindowsOfClass(kOrliskClass, orlisk.Id()).empty(); }, 20s))
            << "Orlisk's window did not come";
    }

    // Orlisk ended as "Exit Program" ends it: by itself, with its settings saved.
    static void ExpectOrliskExited(const Process& orlisk) {
        EXPECT_TRUE(orlisk.WaitForExit(5s)) << "Orlisk still runs";
        EXPECT_EQ(orlisk.ExitCode(), DWORD{0});
        EXPECT_EQ(StringValue(kSettingsKey, L"Path"), LyricsFolder().wstring() + L"\\");
        for (const wchar_t* name : {L"Size", L"Start", L"Auto"})
            EXPECT_TRUE(StringValue(kSettingsKey, name).has_value()) << "Orlisk did not save " << name;
    }
};

TEST_F(InstallerTest, DefaultInstallStartsMatchThenUninstallEndsOrliskAndKeepsItsSettings) {
    Install(L"");
    ExpectInstalledIn(DefaultFolder(), true);

    Process match;
    ASSERT_TRUE(match.Start(Quoted(DefaultFolder() / L"Match.exe")));
    EXPECT_TRUE(WaitFor([&] { return ShowsMatchWindow(match.Id()); }, 20s)) << "the installed Match shows no window";
    for (HWND window : WindowsOfClass(kMatchClass, match.Id())) ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(match.WaitForExit(10s));

    Process orlisk;
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

    // An unmatch list Match wrote beside itself is the user's, not the installer's.
    const std::wstring list = L"UnMatch 05-12-2026 20.19.26.txt";
    std::ofstream(ChosenFolder() / list) << "Titles without lyrics\r\n";
    SetStringValue(kSettingsKey, L"Path", LyricsFolder().wstring() + L"\\");

    Uninstall(StringValue(kUninstallKey, L"QuietUninstallString").value_or(L"") + L" /REMOVESETTINGS=1");
    ExpectNothingLeft(ChosenFolder(), {list});
    EXPECT_FALSE(KeyExists(kOrliskKey));
}

TEST_F(InstallerTest, InstallOverRunningOrliskEndsItFirstAndDropsAnEarlierSignInEntry) {
    Install(L"");
    ExpectInstalledIn(DefaultFolder(), true);
    Process orlisk;
    StartOrlisk(orlisk, DefaultFolder());

    Install(L" /RUNATSIGNIN=0");
    ExpectOrliskExited(orlisk);
    ExpectInstalledIn(DefaultFolder(), false);

    Uninstall(StringValue(kUninstallKey, L"QuietUninstallString").value_or(L""));
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
