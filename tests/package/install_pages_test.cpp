// The installer's and uninstaller's pages, driven as a user does it under Wine (Next through the
// pages of the dialog, OK in its message box): the folder page refuses a folder holding the user's
// files and says why, and the uninstaller's last page says where the unmatch lists were kept.
#include "tests/package/install_fixture.h"

namespace {

using namespace package_test;

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kNextButton = IDOK;  // "Next", "Install", "Uninstall", "Finish": the one default button

// The dialog of processId once it shows text, within timeout; nullptr when it does not.
HWND AwaitDialog(DWORD processId, const std::wstring& text, std::chrono::milliseconds timeout = 20s) {
    return WaitForWindow([&] { return WindowShowing(kDialogClass, processId, text); }, timeout);
}

// Presses a button of a dialog (by its id) as a click does.
void Press(HWND dialog, int id) { Click(::GetDlgItem(dialog, id)); }

TEST_F(InstallerTest, TheFolderPageRefusesAFolderHoldingTheUsersFilesAndStays) {
    WriteFile(UsersOwnFolder() / L"README.txt", "My own notes\r\n");
    StartedProcess setup;
    ASSERT_TRUE(setup.StartCommandLine(Quoted(Arguments().setup) + L" /D=" + UsersOwnFolder().wstring()));

    HWND wizard = AwaitDialog(setup.Id(), L"This installs Match and Orlisk");
    ASSERT_NE(wizard, nullptr) << "no welcome page";
    Press(wizard, kNextButton);
    ASSERT_NE(AwaitDialog(setup.Id(), L"Choose Components"), nullptr);
    Press(wizard, kNextButton);
    ASSERT_NE(AwaitDialog(setup.Id(), L"Choose Install Location"), nullptr) << "no folder page";
    Press(wizard, kNextButton);

    HWND message = AwaitDialog(setup.Id(), L"already holds README.txt");
    ASSERT_NE(message, nullptr) << "the folder page said nothing";
    EXPECT_NE(message, wizard);
    EXPECT_NE(TextHolding(message, L"README.txt").find(UsersOwnFolder().wstring()), std::wstring::npos);
    Press(message, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(message); }, 5s));
    // Still the folder page, and nothing written.
    EXPECT_FALSE(TextHolding(wizard, L"Choose Install Location").empty());
    EXPECT_EQ(FolderEntries(UsersOwnFolder()), std::vector<std::wstring>{L"README.txt"});
    EXPECT_EQ(FileBytes(UsersOwnFolder() / L"README.txt"), "My own notes\r\n");
    EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(InstallerTest, TheUninstallersLastPageSaysWhereTheListsWereKept) {
    Install(L" /RUNATSIGNIN=0");
    WriteFile(DefaultFolder() / kUnmatchList, kUnmatchListText);

    // As "Apps" starts it: the uninstaller hands over to its copy in the temporary folder.
    ASSERT_EQ(lyrics::testing::Run(StringValue(kUninstallKey, L"UninstallString").value_or(L"")), DWORD{0});
    DWORD copy = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::vector<DWORD> copies = UninstallerCopies();
            return !copies.empty() && (copy = copies.back()) != 0;
        },
        20s))
        << "no copy of the uninstaller runs";
    HWND wizard = AwaitDialog(copy, L"Uninstall Lyrics Tools");
    ASSERT_NE(wizard, nullptr) << "no first page";
    Press(wizard, kNextButton);
    ASSERT_NE(AwaitDialog(copy, L"Choose Components"), nullptr);
    Press(wizard, kNextButton);

    ASSERT_NE(AwaitDialog(copy, L"Your unmatch lists were kept", 60s), nullptr) << "the last page does not say so";
    EXPECT_NE(TextHolding(wizard, L"Your unmatch lists were kept").find(DefaultFolder().wstring()), std::wstring::npos);
    Press(wizard, kNextButton);
    EXPECT_TRUE(WaitFor(NoUninstallerRuns, 20s));
    EXPECT_TRUE(WaitFor([] { return !fs::exists(DefaultFolder() / L"Uninstall.exe"); }, 10s));
    ExpectNothingLeft(DefaultFolder(), {kUnmatchList});
}

}  // namespace
