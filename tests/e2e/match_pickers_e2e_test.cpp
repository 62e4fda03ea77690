// Match.exe's other buttons: Help, Exit Program and the close box, and the two pickers, cancelled
// or used.
#include "tests/e2e/match_fixture.h"

#include <commctrl.h>

#include "common/quoted_path.h"

namespace match_e2e {
namespace {

// The text of the tree's selected item, read through memory of the tree's own process.
std::wstring SelectedItemText(HWND tree) {
    constexpr SIZE_T kChars = 260;
    const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    const lyrics::UniqueKernelHandle process(
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(tree)));
    void* remote = item && process ? ::VirtualAllocEx(process.get(), nullptr, sizeof(TVITEMW) + kChars * sizeof(wchar_t),
                                                      MEM_COMMIT, PAGE_READWRITE)
                                   : nullptr;
    if (!remote) return {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(TVITEMW));
    query.cchTextMax = static_cast<int>(kChars);
    std::wstring text(kChars, L'\0');
    const bool read = ::WriteProcessMemory(process.get(), remote, &query, sizeof query, nullptr) &&
                      ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) &&
                      ::ReadProcessMemory(process.get(), query.pszText, text.data(), kChars * sizeof(wchar_t), nullptr);
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return read ? std::wstring(text.c_str()) : std::wstring();
}

TEST_F(MatchProgram, HelpOpensTheHelpFileBesideTheProgram) {
    Click(Control(kIdCmdHelp));
    EXPECT_NE(WaitForNotepadOf(L"Match Help.txt"), nullptr);
    EXPECT_TRUE(NoBoxFor(300ms));
}

// "Exit Program" and the close box each end the program, with exit code 0.
TEST_F(MatchProgram, ExitProgramAndClosingTheWindowEndTheProcess) {
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "the close box" : "Exit Program");
        if (!match_.IsRunning()) {
            ASSERT_NO_FATAL_FAILURE(StartMatch());
        }
        closeBox ? ::PostMessageW(window_, WM_CLOSE, 0, 0) : ::PostMessageW(Control(kIdCmdExit), BM_CLICK, 0, 0);
        ASSERT_TRUE(match_.WaitForExit(10s));
        EXPECT_EQ(match_.ExitCode(), 0u);
    }
}

TEST_F(MatchProgram, CancelledPickersLeaveTheBoxesAlone) {
    TypePaths(L"C:\\kept folder", L"C:\\kept.m3u");

    Click(Control(kIdCmdOpen));
    HWND dialog = WaitForBox();
    ASSERT_NE(dialog, nullptr) << "the playlist picker";
    EXPECT_EQ(WindowText(dialog), L"Open File");
    ASSERT_TRUE(AnswerMessageBox(dialog, IDCANCEL));
    EXPECT_TRUE(WaitFor([&] { return WindowText(Control(kIdTxtOpen1)).empty(); }, 5s))
        << "the scratch box is empty after a pick, even a cancelled one";
    EXPECT_EQ(WindowText(Control(kIdTxtOpen)), L"C:\\kept.m3u");

    Click(Control(kIdCmdBrowse));
    dialog = WaitForBox();
    ASSERT_NE(dialog, nullptr) << "the folder picker";
    EXPECT_TRUE(ShowsText(dialog, L"Lyrics Folder...")) << "the folder picker shows the prompt";
    ASSERT_TRUE(AnswerMessageBox(dialog, IDCANCEL));
    EXPECT_EQ(WindowText(Control(kIdTxtBrowse)), L"C:\\kept folder");
}

TEST_F(MatchProgram, PickedFolderReplacesTheBox) {
    Type(kIdTxtBrowse, L"old text");
    Click(Control(kIdCmdBrowse));
    const HWND dialog = WaitForBox();
    ASSERT_NE(dialog, nullptr);
    const HWND tree = FindChild(dialog, WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr) << "the folder tree";
    // The tree starts at the desktop, a file-system folder of its own.
    const auto root = static_cast<LPARAM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    ASSERT_NE(root, 0);
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, root);
    ASSERT_TRUE(AnswerMessageBox(dialog, IDOK));
    std::wstring chosen;
    EXPECT_TRUE(WaitFor([&] { return (chosen = WindowText(Control(kIdTxtBrowse))) != L"old text"; }, 5s));
    const DWORD attributes = ::GetFileAttributesW(chosen.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "a folder that exists: " << ::testing::PrintToString(chosen);
}

// The folder picker opens at the box's folder, quoted or not, so that OK at once keeps it. The
// folders are on drive C: (Wine's picker does not select folders on Z:).
TEST_F(MatchProgram, FolderPickerStartsAtTheFolderInTheBox) {
    const std::wstring folder = L"C:\\Picker Start";
    const std::wstring inner = folder + L"\\Inner";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW(inner.c_str(), nullptr);
    for (const std::wstring& typed : {inner, L"\"" + folder + L"\""}) {
        SCOPED_TRACE(::testing::PrintToString(typed));
        const std::wstring expected(lyrics::UnquotedPath(typed));
        Type(kIdTxtBrowse, typed);
        Click(Control(kIdCmdBrowse));
        const HWND dialog = WaitForBox();
        ASSERT_NE(dialog, nullptr);
        const HWND tree = FindChild(dialog, WC_TREEVIEWW);
        ASSERT_NE(tree, nullptr);
        const std::wstring name = expected.substr(expected.rfind(L'\\') + 1);
        EXPECT_TRUE(WaitFor([&] { return SelectedItemText(tree) == name; }, 5s)) << "the box's folder is selected";
        ASSERT_TRUE(AnswerMessageBox(dialog, IDOK));
        std::wstring chosen;
        EXPECT_TRUE(WaitFor(
            [&] {
                chosen = WindowText(Control(kIdTxtBrowse));
                return ::CompareStringOrdinal(chosen.c_str(), -1, expected.c_str(), -1, TRUE) == CSTR_EQUAL;
            },
            5s))
            << ::testing::PrintToString(chosen);
    }
    ::RemoveDirectoryW(inner.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(MatchProgram, PickedPlaylistReplacesTheBox) {
    Type(kIdTxtOpen, L"old text");
    Click(Control(kIdCmdOpen));
    const HWND dialog = WaitForBox();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(FindDescendant(dialog, 0x470)), L"Winamp Playlist (*.m3u;*.m3u8;*.pls;*.b4s)") << "the one filter";
    const HWND readOnly = FindDescendant(dialog, 0x410);
    EXPECT_TRUE(!readOnly || !::IsWindowVisible(readOnly)) << "no read-only check box";
    // The file name box of the open dialog: a combo box (cmb13) or, in older layouts, an edit (edt1).
    HWND nameBox = FindDescendant(dialog, 0x47c);
    if (!nameBox) nameBox = FindDescendant(dialog, 0x480);
    ASSERT_NE(nameBox, nullptr);
    const std::wstring chosen = Playlist(L"Loud.M3U");
    ASSERT_TRUE(SetText(nameBox, chosen));
    ASSERT_TRUE(AnswerMessageBox(dialog, IDOK));
    EXPECT_TRUE(WaitFor([&] { return WindowText(Control(kIdTxtOpen)) == chosen; }, 5s))
        << ::testing::PrintToString(WindowText(Control(kIdTxtOpen)));
    EXPECT_EQ(WindowText(Control(kIdTxtOpen1)), L"") << "the scratch box stays empty";
}

}  // namespace
}  // namespace match_e2e
