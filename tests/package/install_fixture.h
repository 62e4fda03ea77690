// The installer's test fixture: the setup.exe and version given on the command line, the places an
// install touches, and the steps the installer's tests share (install, uninstall, what must be
// there afterwards, programs started from the install). Each test starts from a prefix without
// Lyrics Tools and leaves it so.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "tests/driver/orlisk_registry.h"
#include "tests/package/install_support.h"

namespace package_test {

namespace fs = std::filesystem;

inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LyricsTools";
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Orlisk";
// Orlisk's settings, where Orlisk keeps them, and the key of the program above them.
inline const std::wstring kSettingsKey = lyrics::testing::OrliskSettingsKey();
inline const std::wstring kOrliskKey = lyrics::testing::OrliskKey();
inline constexpr wchar_t kMatchClass[] = L"LyricsMatchMainWindow";
inline constexpr wchar_t kOrliskClass[] = L"OrliskSettingsWindow";
// NSIS runs an uninstaller started without _?= from a copy of itself in the temporary folder, so
// that it can remove its own file; the copy's name is "Un.exe" or "Un_A.exe" (NSIS 3), "Au_.exe" before.
inline constexpr const wchar_t* kUninstallerCopies[] = {L"Un.exe", L"Un_A.exe", L"Au_.exe"};
// The programs of an install, which the tests end when a test left one running.
inline constexpr const wchar_t* kPrograms[] = {L"Orlisk.exe", L"Match.exe", L"lyrics.exe"};

// An unmatch list Match wrote beside itself: the user's, not the installer's.
inline const std::wstring kUnmatchList = L"UnMatch 05-12-2026 20.19.26.txt";
inline constexpr char kUnmatchListText[] = "Titles without lyrics\r\n";

// What an install puts into its folder, sorted as FolderEntries sorts.
inline const std::vector<std::wstring> kInstalledFiles = {L"LICENSE.txt",     L"Match Help.txt", L"Match.exe",     L"Orlisk.exe",
                                                          L"OrliskHelp.html", L"README.txt",     L"Uninstall.exe", L"lyrics.exe"};

struct Given {
    std::wstring setup;
    std::wstring version;
};
inline Given& Arguments() {
    static Given given;
    return given;
}

inline fs::path DefaultFolder() { return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Lyrics Tools"; }
inline fs::path ChosenFolder() { return KnownFolder(FOLDERID_Profile) / L"Chosen Place" / L"Lyrics Tools"; }
// With the characters a command line treats apart.
inline fs::path OtherFolder() { return KnownFolder(FOLDERID_Profile) / L"Other & (Odd) Place" / L"Lyrics Tools"; }
inline fs::path UsersOwnFolder() { return KnownFolder(FOLDERID_Profile) / L"My Stuff"; }
inline fs::path StartMenuFolder() { return KnownFolder(FOLDERID_Programs) / L"Lyrics Tools"; }
inline fs::path LyricsFolder() { return KnownFolder(FOLDERID_Profile) / L"Lyrics for the installer test"; }
// Where setup.exe and the uninstaller log what they did when given no /LOG=.
inline fs::path LogFile() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    return fs::path(temp) / L"Lyrics Tools setup.log";
}

// A visible top-level window of Match's class, of that process.
inline bool ShowsMatchWindow(DWORD processId) {
    return std::ranges::any_of(TopLevelWindows(kMatchClass, processId), [](HWND window) { return ::IsWindowVisible(window); });
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
        for (const wchar_t* program : kPrograms)
            for (DWORD id : ProcessesNamed(program)) EndProcess(id);
        std::error_code ignored;
        for (const fs::path& folder : {DefaultFolder(), ChosenFolder().parent_path(), OtherFolder().parent_path(),
                                       UsersOwnFolder(), StartMenuFolder(), LyricsFolder()})
            fs::remove_all(folder, ignored);
        fs::remove(LogFile(), ignored);
        DeleteKeyTree(kUninstallKey);
        DeleteValue(kRunKey, kRunValue);
        DeleteKeyTree(kOrliskKey);
    }

    // setup.exe /S with switches; its exit code, nullopt when it did not end within two minutes.
    static std::optional<DWORD> RunSetup(const std::wstring& switches) {
        return lyrics::testing::Run(Quoted(Arguments().setup) + L" /S" + switches);
    }

    static void Install(const std::wstring& switches) { EXPECT_EQ(RunSetup(switches), DWORD{0}) << "setup.exe /S" << switches; }

    // Runs an uninstall command line and waits for the copy that does the work to finish, and for
    // the uninstaller's own file to go, and the folder unless something is left in it.
    static void Uninstall(const std::wstring& commandLine) {
        const fs::path uninstaller = fs::path(StringValue(kUninstallKey, L"InstallLocation").value_or(L"")) / L"Uninstall.exe";
        EXPECT_EQ(lyrics::testing::Run(commandLine), DWORD{0}) << commandLine;
        EXPECT_TRUE(WaitFor(NoUninstallerRuns, 60s)) << "the uninstaller still runs";
        const fs::path folder = uninstaller.parent_path();
        EXPECT_TRUE(
            WaitFor([&] { return !fs::exists(uninstaller) && (!fs::exists(folder) || !FolderEntries(folder).empty()); }, 10s))
            << uninstaller.string();
    }

    // The processes of the uninstaller's copies.
    static std::vector<DWORD> UninstallerCopies() {
        std::vector<DWORD> ids;
        for (const wchar_t* copy : kUninstallerCopies) std::ranges::copy(ProcessesNamed(copy), std::back_inserter(ids));
        return ids;
    }
    static bool NoUninstallerRuns() { return UninstallerCopies().empty(); }

    // The uninstall entry's command for scripts and package managers.
    static std::wstring QuietUninstall() { return StringValue(kUninstallKey, L"QuietUninstallString").value_or(L""); }

    static void ExpectInstalledIn(const fs::path& folder, bool runAtSignIn) {
        EXPECT_EQ(FolderEntries(folder), kInstalledFiles);
        for (const wchar_t* program : kPrograms) EXPECT_EQ(FileVersion(folder / program), Arguments().version + L".0") << program;

        // Match writes its lists beside itself: "Unmatch lists" opens that folder.
        for (const auto& [link, target] :
             {std::pair{L"Match.lnk", folder / L"Match.exe"}, std::pair{L"Orlisk.lnk", folder / L"Orlisk.exe"},
              std::pair{L"Unmatch lists.lnk", folder}})
            EXPECT_EQ(LowerCase(ShortcutTarget(StartMenuFolder() / link)), LowerCase(target)) << link;

        // The "Apps" entry: what Windows shows, and what it runs to uninstall.
        EXPECT_NE(StringValue(kUninstallKey, L"DisplayName").value_or(L"").find(L"Lyrics Tools"), std::wstring::npos);
        EXPECT_EQ(StringValue(kUninstallKey, L"DisplayVersion"), Arguments().version);
        EXPECT_FALSE(StringValue(kUninstallKey, L"Publisher").value_or(L"").empty());
        EXPECT_EQ(StringValue(kUninstallKey, L"DisplayIcon"), (folder / L"Match.exe").wstring() + L",0");
        EXPECT_EQ(StringValue(kUninstallKey, L"InstallLocation"), folder.wstring());
        EXPECT_EQ(StringValue(kUninstallKey, L"UninstallString"), Quoted(folder / L"Uninstall.exe"));
        // The uninstaller in place (_?=), so that no copy of it outlives the command.
        EXPECT_NE(QuietUninstall().find(Quoted(folder / L"Uninstall.exe") + L" /S _?="), std::wstring::npos) << QuietUninstall();
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
    static void StartOrlisk(StartedProcess& orlisk, const fs::path& folder) {
        fs::create_directories(LyricsFolder());
        SetStringValue(kSettingsKey, L"Path", LyricsFolder().wstring() + L"\\");
        ASSERT_TRUE(orlisk.StartCommandLine(Quoted(folder / L"Orlisk.exe")));
        ASSERT_TRUE(WaitFor([&] { return !TopLevelWindows(kOrliskClass, orlisk.Id()).empty(); }, 20s))
            << "Orlisk's window did not come";
    }

    // Starts the installed Match and waits for its window.
    static void StartMatch(StartedProcess& match, const fs::path& folder) {
        ASSERT_TRUE(match.StartCommandLine(Quoted(folder / L"Match.exe")));
        ASSERT_TRUE(WaitFor([&] { return ShowsMatchWindow(match.Id()); }, 20s)) << "the installed Match shows no window";
    }

    // Orlisk ended as "Exit Program" ends it: by itself, with its settings saved.
    static void ExpectOrliskExited(const StartedProcess& orlisk) {
        EXPECT_TRUE(orlisk.WaitForExit(5s)) << "Orlisk still runs";
        EXPECT_EQ(orlisk.ExitCode(), DWORD{0});
        EXPECT_EQ(StringValue(kSettingsKey, L"Path"), LyricsFolder().wstring() + L"\\");
        for (const wchar_t* name : {L"Size", L"Start", L"Auto"})
            EXPECT_TRUE(StringValue(kSettingsKey, name).has_value()) << "Orlisk did not save " << name;
    }
};

}  // namespace package_test
