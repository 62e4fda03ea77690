// End-to-end tests of Match.exe: the real program under Wine, driven through its window and its
// message boxes as a user would, checking what it shows, writes beside itself and opens.
//
// Environment (set by CTest): MATCH_EXE, the built Match.exe; MATCH_E2E_WORK, a scratch folder.
// Match.exe and its help file are copied into the scratch folder, so the lists each run writes
// beside the program land there and nowhere else.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "match/win32/form_layout.h"
#include "tests/driver/fake_annotation_service.h"
#include "tests/driver/system_words.h"
#include "tests/e2e/e2e_desktop.h"

namespace {

using namespace e2e;
using namespace lyrics::match::win32;
using lyrics::testing::SystemWords;

constexpr wchar_t kCaption[] = L"Pellanor";

struct Workspace {
    std::wstring folder;        // Match.exe's folder
    std::wstring exe;           // the copy of Match.exe
    std::wstring lyricsFolder;  // fixture: a lyrics folder (its name has a space)
    std::wstring playlists;     // fixture: playlists
};

Workspace& Work() {
    static Workspace work;
    return work;
}

void MakeFolder(const std::wstring& path) { ::CreateDirectoryW(path.c_str(), nullptr); }

// "#EXTINF:<seconds>,<title>" and a file line per title, CR LF throughout.
std::string M3u(const std::vector<std::pair<int, std::wstring>>& entries) {
    std::wstring text = L"#EXTM3U\r\n";
    for (const auto& [seconds, title] : entries)
        text += L"#EXTINF:" + std::to_wstring(seconds) + L"," + title + L"\r\nC:\\Music\\" + title + L".mp3\r\n";
    return AnsiBytes(text);
}

// The text in UTF-8 and in UTF-16 LE, as players write Unicode playlists.
std::string Utf8Bytes(const std::wstring& text) {
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::string Utf16LeBytes(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

// The names an unmatch list written between two moments may have, one per second.
std::set<std::wstring> ListNamesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
    std::set<std::wstring> names;
    FILETIME start{}, end{};
    ::SystemTimeToFileTime(&from, &start);
    ::SystemTimeToFileTime(&to, &end);
    ULARGE_INTEGER at{{start.dwLowDateTime, start.dwHighDateTime}};
    const ULARGE_INTEGER last{{end.dwLowDateTime, end.dwHighDateTime}};
    at.QuadPart -= at.QuadPart % 10'000'000;
    for (; at.QuadPart <= last.QuadPart; at.QuadPart += 10'000'000) {
        const FILETIME moment{at.LowPart, at.HighPart};
        SYSTEMTIME t{};
        ::FileTimeToSystemTime(&moment, &t);
        wchar_t name[64];
        swprintf(name, 64, L"UnMatch %02u-%02u-%04u %02u.%02u.%02u.txt", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute,
                 t.wSecond);
        names.insert(name);
    }
    return names;
}

// The display's DPI for programs started while this lives (Wine reads it when a program starts);
// the prefix gets its old setting back afterwards.
class DisplayDpiScope {
public:
    explicit DisplayDpiScope(DWORD dpi) {
        DWORD size = sizeof(previous_);
        hadPrevious_ =
            ::RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &previous_, &size) == ERROR_SUCCESS;
        set_ = ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof(dpi)) == ERROR_SUCCESS;
    }
    DisplayDpiScope(const DisplayDpiScope&) = delete;
    DisplayDpiScope& operator=(const DisplayDpiScope&) = delete;
    ~DisplayDpiScope() {
        if (!set_) return;
        if (hadPrevious_) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &previous_, sizeof(previous_));
        } else {
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
        }
    }
    bool Set() const noexcept { return set_; }

private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
    static constexpr const wchar_t* kValue = L"LogPixels";
    DWORD previous_ = 0;
    bool hadPrevious_ = false;
    bool set_ = false;
};

class MatchProgram : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        Workspace& work = Work();
        const std::wstring built = WindowsPath(EnvironmentText(L"MATCH_EXE"));
        work.folder = WindowsPath(EnvironmentText(L"MATCH_E2E_WORK"));
        if (built.empty() || work.folder.empty()) return;
        MakeFolder(work.folder);
        work.exe = work.folder + L"\\Match.exe";
        ::CopyFileW(built.c_str(), work.exe.c_str(), FALSE);
        const std::wstring help = built.substr(0, built.find_last_of(L'\\')) + L"\\Match Help.txt";
        ::CopyFileW(help.c_str(), (work.folder + L"\\Match Help.txt").c_str(), FALSE);

        work.lyricsFolder = work.folder + L"\\Lyrics Folder";
        MakeFolder(work.lyricsFolder);
        for (const wchar_t* name : {L"Alpha.txt", L"BETA.TXT", L"Gamma.txt", L"cover.jpg"}) {
            WriteFileBytes(work.lyricsFolder + L"\\" + name, "la la la\r\n");
        }
        work.playlists = work.folder + L"\\Playlists";
        MakeFolder(work.playlists);
        const std::string mix = M3u({{3600, L"alpha"}, {120, L"Beta"}, {5, L"Delta Caf\u00e9"}});
        WriteFileBytes(work.playlists + L"\\Mix.m3u", mix);
        WriteFileBytes(work.playlists + L"\\Loud.M3U", mix);
        WriteFileBytes(work.playlists + L"\\Mix.txt", mix);
        WriteFileBytes(work.playlists + L"\\Short.b4s",
                       "<?xml version=\"1.0\" encoding='UTF-8' standalone=\"yes\"?>\r\n<WinampXML>\r\n");
    }

protected:
    void SetUp() override {
        ASSERT_FALSE(EnvironmentText(L"DISPLAY").empty()) << "no X display: run under scripts/wine-env";
        ASSERT_FALSE(Work().exe.empty()) << "MATCH_EXE and MATCH_E2E_WORK must name Match.exe and a scratch folder";
        for (const std::wstring& name : FilesMatching(Work().folder, L"UnMatch *.txt"))
            ::DeleteFileW((Work().folder + L"\\" + name).c_str());
        StartMatch();
    }

    void StartMatch() {
        ASSERT_TRUE(match_.Start(Work().exe)) << "cannot start " << ::testing::PrintToString(Work().exe);
        window_ = WaitForWindow([&] { return FindTopLevelWindow(kCaption, match_.ProcessId()); });
        ASSERT_NE(window_, nullptr) << "no window captioned Pellanor";
    }

    void TearDown() override {
        for (HWND notepad : openedNotepads_) {
            if (::IsWindow(notepad)) CloseProgramOfWindow(notepad);
        }
        match_.End();
    }

    HWND Control(int id) const { return ::GetDlgItem(window_, id); }

    void Type(int id, const std::wstring& text) { ASSERT_TRUE(SetText(Control(id), text)); }

    HWND WaitForBox() {
        return WaitForWindow([&] { return FindOwnedDialog(window_); });
    }

    // No box shows up for a while: what the user sees when a press does nothing.
    bool NoBoxFor(std::chrono::milliseconds quiet) {
        return !WaitForWindow([&] { return FindOwnedDialog(window_); }, quiet);
    }

    bool FocusReaches(int id) {
        return WaitUntil([&] { return FocusedWindowOf(window_) == Control(id); }, 5s);
    }

    // Presses Match and answers the input-check box it must bring; checks the box and the focus.
    void ExpectInputCheck(const std::wstring& message, int focusedBox) {
        Click(Control(kIdCmdMatch));
        ExpectInvalidBox(message, focusedBox);
    }

    void ExpectInvalidBox(const std::wstring& message, int focusedBox) {
        const HWND box = WaitForBox();
        ASSERT_NE(box, nullptr) << "no message box for " << ::testing::PrintToString(message);
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, L"Invalid");
        EXPECT_EQ(view.text, message);
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(view.icon, IconColour::Red) << "the critical icon";
        ASSERT_TRUE(AnswerMessageBox(box, IDOK));
        EXPECT_TRUE(FocusReaches(focusedBox)) << "focus after " << ::testing::PrintToString(message);
        EXPECT_TRUE(NoBoxFor(400ms)) << "a second box after " << ::testing::PrintToString(message);
    }

    // Runs a match that passes the check; returns the prompt box and the list's name.
    HWND RunToPrompt(std::wstring& listName) {
        SYSTEMTIME before{}, after{};
        ::GetLocalTime(&before);
        Click(Control(kIdCmdMatch));
        const HWND box = WaitForBox();
        ::GetLocalTime(&after);
        const std::vector<std::wstring> lists = FilesMatching(Work().folder, L"UnMatch *.txt");
        EXPECT_EQ(lists.size(), 1u) << "one list beside Match.exe";
        if (lists.size() == 1) {
            listName = lists[0];
            EXPECT_EQ(ListNamesBetween(before, after).count(listName), 1u)
                << "named after the time of the run: " << ::testing::PrintToString(listName);
        }
        return box;
    }

    // Presses Match for a run that must fail: one critical box captioned "Match" with only OK, and
    // after it no offer and no list. Returns the box's text ("" when no box came).
    std::wstring FailedRunsMessage() {
        Click(Control(kIdCmdMatch));
        const HWND box = WaitForBox();
        EXPECT_NE(box, nullptr) << "a failure is reported in a box, never passed over or left hanging";
        if (!box) return {};
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, L"Match");
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(view.icon, IconColour::Red);
        EXPECT_TRUE(AnswerMessageBox(box, IDOK));
        EXPECT_TRUE(NoBoxFor(500ms)) << "no offer after a failure";
        EXPECT_TRUE(FilesMatching(Work().folder, L"UnMatch *.txt").empty()) << "no list from a failed run";
        return view.text;
    }

    HWND WaitForNotepad(const std::wstring& fileName, std::chrono::milliseconds timeout = kWindowTimeout) {
        const HWND notepad = WaitForWindow([&] { return FindTopLevelWindow(fileName + L" - Notepad"); }, timeout);
        if (notepad) openedNotepads_.push_back(notepad);
        return notepad;
    }

    Program match_;
    HWND window_ = nullptr;
    std::vector<HWND> openedNotepads_;
};

TEST_F(MatchProgram, WindowHasTheFormsCaptionSizeAndPlace) {
    EXPECT_EQ(WindowText(window_), L"Pellanor");
    const LONG_PTR style = Style(window_);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);

    const UINT dpi = ::GetDpiForWindow(window_);
    const auto px = [dpi](int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); };
    RECT client{};
    ::GetClientRect(window_, &client);
    EXPECT_EQ(client.right, px(4935));
    EXPECT_EQ(client.bottom, px(1350));

    RECT frame{};
    ::GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_NEAR((frame.left + frame.right) / 2.0, (work.left + work.right) / 2.0, 1.0) << "centred across";
    EXPECT_NEAR((frame.top + frame.bottom) / 2.0, (work.top + work.bottom) / 2.0, 1.0) << "centred down";
}

TEST_F(MatchProgram, ControlsStandWhereTheFormPutsThemInTabOrder) {
    struct Expected {
        int id;
        const wchar_t* text;
        int left, top, width, height;
    };
    // The form as drawn, in twips and tab order.
    const Expected form[] = {
        {kIdTxtBrowse, L"", 1320, 120, 3135, 285},
        {kIdTxtOpen, L"", 1320, 480, 3135, 285},
        {kIdCmdBrowse, L"...", 4530, 120, 375, 255},
        {kIdCmdOpen, L"...", 4530, 480, 375, 255},
        {kIdLblCaption0, L" Playlist File :", 120, 525, 0, 0},
        {kIdLblCaption1, L" Lyrics Folder :", 0, 165, 0, 0},
        {kIdCmdMatch, L"Match", 1920, 960, 1095, 375},
        {kIdCmdHelp, L"Help", 60, 960, 1095, 375},
        {kIdCmdExit, L"Exit Program", 3780, 960, 1095, 375},
        {kIdTxtOpen1, L"Text1", 4560, 960, 150, 285},
    };
    const UINT dpi = ::GetDpiForWindow(window_);
    const auto px = [dpi](int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); };

    // Window order is tab order, but for each label, which stands right before the box it names
    // (screen readers take a box's name from there); labels take no focus, so Tab walks the same.
    const int windowOrder[] = {kIdLblCaption1, kIdTxtBrowse, kIdLblCaption0, kIdTxtOpen, kIdCmdBrowse,
                               kIdCmdOpen,     kIdCmdMatch,  kIdCmdHelp,     kIdCmdExit, kIdTxtOpen1};
    const std::vector<HWND> children = ChildWindows(window_);
    ASSERT_EQ(children.size(), std::size(form));
    for (std::size_t i = 0; i < children.size(); ++i) EXPECT_EQ(ControlId(children[i]), windowOrder[i]) << "window order";
    for (std::size_t i = 0; i < children.size(); ++i) {
        const Expected& want = form[i];
        SCOPED_TRACE(::testing::Message() << "control " << want.id);
        const HWND child = Control(want.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(WindowText(child), want.text);
        const RECT rect = RectInParent(child, window_);
        EXPECT_EQ(rect.left, px(want.left));
        EXPECT_EQ(rect.top, px(want.top));
        if (want.width) {
            EXPECT_EQ(rect.right, px(want.left + want.width));
            EXPECT_EQ(rect.bottom, px(want.top + want.height));
        } else {
            // Labels size themselves to their text; they must show it whole and stay left of the boxes.
            EXPECT_GT(rect.right - rect.left, px(800));
            EXPECT_LE(rect.right, px(1320));
            EXPECT_GE(rect.bottom - rect.top, px(195));
        }
    }
    EXPECT_FALSE(::IsWindowVisible(Control(kIdTxtOpen1))) << "txtOpen1 is hidden";
    EXPECT_EQ(Style(Control(kIdCmdMatch)) & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "Match is the default button";
    EXPECT_TRUE(FocusReaches(kIdTxtBrowse)) << "the first box has the focus at start";
}

TEST_F(MatchProgram, LaysOutInTwipsAtTheDisplaysDpi) {
    match_.End();
    const DisplayDpiScope largeText(144);
    ASSERT_TRUE(largeText.Set());
    StartMatch();
    const auto px = [](int twips) { return MulDiv(twips, 144, 1440); };
    RECT client{};
    ::GetClientRect(window_, &client);
    EXPECT_EQ(client.right, px(4935));
    EXPECT_EQ(client.bottom, px(1350));
    const RECT exit = RectInParent(Control(kIdCmdExit), window_);
    EXPECT_EQ(exit.left, px(3780));
    EXPECT_EQ(exit.bottom, px(960 + 375));
    const RECT open = RectInParent(Control(kIdTxtOpen), window_);
    EXPECT_EQ(open.right, px(1320 + 3135));
    for (int label : {kIdLblCaption0, kIdLblCaption1}) {
        const RECT rect = RectInParent(Control(label), window_);
        EXPECT_GT(rect.right - rect.left, px(800)) << "the label grows with its font";
        EXPECT_LE(rect.right, px(1320)) << "and stays clear of the boxes";
    }
}

TEST_F(MatchProgram, TabWalksTheControlsInTabOrder) {
    ASSERT_TRUE(FocusReaches(kIdTxtBrowse));
    // Labels take no focus and the hidden box is skipped.
    // Enter presses the focused push button, else Match: that button is drawn as the default one.
    const auto defaultButton = [&] {
        for (int id : {kIdCmdBrowse, kIdCmdOpen, kIdCmdMatch, kIdCmdHelp, kIdCmdExit}) {
            if ((Style(Control(id)) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
        }
        return 0;
    };
    for (int next : {kIdTxtOpen, kIdCmdBrowse, kIdCmdOpen, kIdCmdMatch, kIdCmdHelp, kIdCmdExit, kIdTxtBrowse}) {
        PressKey(FocusedWindowOf(window_), VK_TAB);
        EXPECT_TRUE(FocusReaches(next)) << "Tab should reach control " << next;
        const bool onButton = next != kIdTxtOpen && next != kIdTxtBrowse;
        EXPECT_TRUE(WaitUntil([&] { return defaultButton() == (onButton ? next : kIdCmdMatch); }, 2s))
            << "default button " << defaultButton() << " with the focus on " << next;
    }
}

TEST_F(MatchProgram, ScreenReadersFindANameForEveryBoxAndButton) {
    // A box is named by the label right before it in the window order.
    EXPECT_EQ(::GetWindow(Control(kIdTxtBrowse), GW_HWNDPREV), Control(kIdLblCaption1));
    EXPECT_EQ(::GetWindow(Control(kIdTxtOpen), GW_HWNDPREV), Control(kIdLblCaption0));

    // The "..." buttons are named through the system's annotation service, where it takes names;
    // Wine's refuses every call, and there the buttons are read by their caption.
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const bool annotations = lyrics::testing::SystemTakesAnnotations();
    for (const auto& [id, name] :
         {std::pair{kIdCmdBrowse, L"Browse for the lyrics folder"}, std::pair{kIdCmdOpen, L"Browse for the playlist file"}}) {
        const std::wstring read = lyrics::testing::AccessibleNameOf(Control(id));
        EXPECT_EQ(read, annotations ? std::wstring(name) : L"...") << "control " << id;
        RecordProperty(id == kIdCmdBrowse ? "cmdBrowse_name" : "cmdOpen_name", ::testing::PrintToString(read));
    }
    RecordProperty("system_annotation", annotations ? "accepted" : "refused");
    ::CoUninitialize();
}

TEST_F(MatchProgram, InputCheckNamesTheFirstWrongBoxAndFocusesIt) {
    const std::wstring playlist = Work().playlists + L"\\Mix.m3u";
    const std::wstring missing = Work().folder + L"\\No Such Thing";

    // Both wrong: only the folder is reported.
    Type(kIdTxtBrowse, missing);
    Type(kIdTxtOpen, missing + L".m3u");
    ExpectInputCheck(L"Invalid Lyrics folder.", kIdTxtBrowse);

    Type(kIdTxtBrowse, L"");
    Type(kIdTxtOpen, playlist);
    ExpectInputCheck(L"Invalid Lyrics folder.", kIdTxtBrowse);

    Type(kIdTxtBrowse, L"   ");
    ExpectInputCheck(L"Invalid Lyrics folder.", kIdTxtBrowse);

    Type(kIdTxtBrowse, Work().lyricsFolder);
    for (const wchar_t* wrong : {L"\\Missing.m3u", L"\\Missing.m3u8", L"\\Mix.txt", L""}) {
        Type(kIdTxtOpen, wrong[0] ? Work().playlists + wrong : std::wstring());
        ExpectInputCheck(L"Invalid Playlist File.", kIdTxtOpen);
    }
    // The check reads the boxes and leaves them as typed.
    EXPECT_EQ(WindowText(Control(kIdTxtBrowse)), Work().lyricsFolder);
    EXPECT_EQ(WindowText(Control(kIdTxtOpen)), L"");
    EXPECT_TRUE(FilesMatching(Work().folder, L"UnMatch *.txt").empty()) << "no run after a failed check";
}

TEST_F(MatchProgram, EnterInEitherBoxPressesMatchAndEscDoesNothing) {
    ClickAt(Control(kIdTxtOpen), 5, 5);
    ASSERT_TRUE(FocusReaches(kIdTxtOpen));
    PressKey(Control(kIdTxtOpen), VK_ESCAPE);
    EXPECT_TRUE(NoBoxFor(500ms)) << "Esc has no button to press";
    EXPECT_EQ(match_.ExitCode(), STILL_ACTIVE);

    PressKey(Control(kIdTxtOpen), VK_RETURN);
    ExpectInvalidBox(L"Invalid Lyrics folder.", kIdTxtBrowse);

    Type(kIdTxtBrowse, Work().lyricsFolder);
    PressKey(Control(kIdTxtBrowse), VK_RETURN);
    ExpectInvalidBox(L"Invalid Playlist File.", kIdTxtOpen);
}

TEST_F(MatchProgram, AfterAnInvalidBoxTheWrongPathIsSelectedSoTypingReplacesIt) {
    const auto wholeTextSelected = [&](int id) {
        return WaitUntil(
            [&] {
                const auto selection = static_cast<DWORD>(::SendMessageW(Control(id), EM_GETSEL, 0, 0));
                const auto length = static_cast<WORD>(WindowText(Control(id)).size());
                return length > 0 && LOWORD(selection) == 0 && HIWORD(selection) == length;
            },
            5s);
    };
    const auto typeChar = [&](int id, wchar_t typed) { ::PostMessageW(Control(id), WM_CHAR, typed, 1); };

    Type(kIdTxtBrowse, Work().folder + L"\\No Such Thing");
    Type(kIdTxtOpen, Work().playlists + L"\\Mix.m3u");
    ExpectInputCheck(L"Invalid Lyrics folder.", kIdTxtBrowse);
    EXPECT_TRUE(wholeTextSelected(kIdTxtBrowse));
    typeChar(kIdTxtBrowse, L'X');
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(kIdTxtBrowse)) == L"X"; }, 5s))
        << ::testing::PrintToString(WindowText(Control(kIdTxtBrowse)));

    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, Work().playlists + L"\\Mix.txt");
    ExpectInputCheck(L"Invalid Playlist File.", kIdTxtOpen);
    EXPECT_TRUE(wholeTextSelected(kIdTxtOpen));
    typeChar(kIdTxtOpen, L'Y');
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(kIdTxtOpen)) == L"Y"; }, 5s))
        << ::testing::PrintToString(WindowText(Control(kIdTxtOpen)));
}

TEST_F(MatchProgram, PressesOfMatchWhileItRunsDoNothing) {
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, Work().playlists + L"\\Mix.m3u");
    const HWND match = Control(kIdCmdMatch);
    const auto expectOneRun = [&](const char* how) {
        SCOPED_TRACE(how);
        const HWND box = WaitForBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ReadMessageBox(box).caption, L"Unmatch List");
        ASSERT_TRUE(AnswerMessageBox(box, IDNO));
        EXPECT_TRUE(NoBoxFor(1500ms)) << "one offer for one run";
        EXPECT_EQ(FilesMatching(Work().folder, L"UnMatch *.txt").size(), 1u) << "one list";
        for (const std::wstring& name : FilesMatching(Work().folder, L"UnMatch *.txt"))
            ::DeleteFileW((Work().folder + L"\\" + name).c_str());
    };

    // Two quick clicks: the second reaches the button while the first run shows its offer.
    Click(match);
    Click(match);
    expectOneRun("two clicks");

    // A double click as the mouse makes it, then a Space typed ahead on the button.
    ::PostMessageW(match, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(match, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::PostMessageW(match, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(match, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PressKey(match, VK_SPACE);
    expectOneRun("a double click and a Space");

    // The same for the input check: one box for a double click on Match.
    Type(kIdTxtOpen, Work().playlists + L"\\Missing.m3u");
    Click(match);
    Click(match);
    ExpectInvalidBox(L"Invalid Playlist File.", kIdTxtOpen);
    EXPECT_EQ(match_.ExitCode(), STILL_ACTIVE);
}

TEST_F(MatchProgram, RunWritesTheListBesideMatchAndOpensItOnYes) {
    const std::wstring playlist = Work().playlists + L"\\Mix.m3u";
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, playlist);
    std::wstring listName;
    const HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    ASSERT_FALSE(listName.empty());
    const std::wstring listPath = Work().folder + L"\\" + listName;

    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, L"Unmatch List");
    EXPECT_EQ(view.text, L"A list has been created in \"" + listPath + L"\"\r\n\r\nDo you want to open the list now?");
    EXPECT_EQ(std::set<int>(view.buttons.begin(), view.buttons.end()), (std::set<int>{IDYES, IDNO}));
    EXPECT_EQ(view.defaultButton, IDYES);
    EXPECT_EQ(view.icon, IconColour::Blue) << "the information icon";

    // alpha and Beta match Alpha.txt and BETA.TXT whatever the case; Delta Café and Gamma are left.
    const std::wstring expected =
        L"Playlist titles which DO NOT have matching file name...\r\n"
        L"\r\n"
        L"Playlist Name = \"" +
        playlist +
        L"\" with 3 titles.\r\n"
        L"Playlist Length = 1:2:5 (hh:mm:ss)\r\n"
        L"\r\n"
        L"Delta Caf\u00e9\r\n"
        L"\r\n"
        L"\r\n"
        L"Files which DO NOT have matching Playlist titles...\r\n"
        L"\r\n"
        L"Lyrics Folder = \"" +
        Work().lyricsFolder +
        L"\" with 3 text files.\r\n"
        L"\r\n"
        L"Gamma\r\n";
    std::string written;
    ASSERT_TRUE(ReadFileBytes(listPath, written));
    EXPECT_EQ(written, AnsiBytes(expected));

    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    EXPECT_NE(WaitForNotepad(listName), nullptr) << "Yes opens the list in Notepad";
    EXPECT_EQ(WindowText(Control(kIdTxtOpen)), playlist) << "the boxes keep their texts after a run";
}

TEST_F(MatchProgram, NoLeavesTheListUnopened) {
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, Work().playlists + L"\\Loud.M3U");  // the extension counts in any case
    std::wstring listName;
    const HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_EQ(WaitForNotepad(listName, 2s), nullptr) << "No opens nothing";
    EXPECT_EQ(FilesMatching(Work().folder, L"UnMatch *.txt").size(), 1u) << "the list stays";
    EXPECT_EQ(match_.ExitCode(), STILL_ACTIVE);
}

TEST_F(MatchProgram, UnreadablePlaylistIsReportedByName) {
    const std::wstring playlist = Work().playlists + L"\\Short.b4s";
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, playlist);
    const std::wstring message = FailedRunsMessage();
    EXPECT_NE(message.find(L"\"" + playlist + L"\""), std::wstring::npos) << ::testing::PrintToString(message);
}

TEST_F(MatchProgram, AFailureGivesTheSystemsOwnReason) {
    // Another program holds the playlist open and shares it with no one.
    const std::wstring playlist = Work().playlists + L"\\Held.m3u";
    ASSERT_TRUE(WriteFileBytes(playlist, M3u({{60, L"Alpha"}})));
    const lyrics::UniqueFileHandle holder(
        ::CreateFileW(playlist.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, playlist);
    Click(Control(kIdCmdMatch));
    const HWND box = WaitForBox();
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = ReadMessageBox(box);
    const std::wstring reason = SystemWords(ERROR_SHARING_VIOLATION);
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(view.text, L"The playlist \"" + playlist + L"\" could not be opened: " + reason + L".");
    EXPECT_EQ(view.text.find(L"Permission denied"), std::wstring::npos) << "not the C library's English";
    RecordProperty("reason", ::testing::PrintToString(reason));
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
}

// Something in the way of the lists the next runs would write, one for each second of the span, for
// as long as this lives: folders, or earlier lists (files of the given bytes).
class ListNamesTaken {
public:
    ListNamesTaken(const std::wstring& folder, std::chrono::seconds span, const std::string* earlierList = nullptr) {
        SYSTEMTIME now{}, until{};
        ::GetLocalTime(&now);
        FILETIME moment{};
        ::SystemTimeToFileTime(&now, &moment);
        ULARGE_INTEGER later{{moment.dwLowDateTime, moment.dwHighDateTime}};
        later.QuadPart += static_cast<ULONGLONG>(span.count()) * 10'000'000;
        const FILETIME end{later.LowPart, later.HighPart};
        ::FileTimeToSystemTime(&end, &until);
        for (const std::wstring& name : ListNamesBetween(now, until)) {
            const std::wstring path = folder + L"\\" + name;
            if (earlierList ? WriteFileBytes(path, *earlierList) : ::CreateDirectoryW(path.c_str(), nullptr) != FALSE)
                paths_.push_back(path);
        }
        isFiles_ = earlierList != nullptr;
    }
    ListNamesTaken(const ListNamesTaken&) = delete;
    ListNamesTaken& operator=(const ListNamesTaken&) = delete;
    ~ListNamesTaken() {
        for (const std::wstring& path : paths_) isFiles_ ? ::DeleteFileW(path.c_str()) : ::RemoveDirectoryW(path.c_str());
    }
    bool Any() const noexcept { return !paths_.empty(); }
    const std::vector<std::wstring>& Paths() const noexcept { return paths_; }

private:
    std::vector<std::wstring> paths_;
    bool isFiles_ = false;
};

TEST_F(MatchProgram, ListThatCannotBeWrittenIsReportedWithItsPath) {
    const ListNamesTaken taken(Work().folder, 30s);
    ASSERT_TRUE(taken.Any());
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, Work().playlists + L"\\Mix.m3u");
    const std::wstring message = FailedRunsMessage();
    EXPECT_NE(message.find(L"\"" + Work().folder + L"\\UnMatch "), std::wstring::npos) << ::testing::PrintToString(message);
}

// The path a Yes/No offer names: "A list has been created in "<path>"...".
std::wstring OfferedPath(const std::wstring& offer) {
    const std::size_t open = offer.find(L'"');
    const std::size_t close = open == std::wstring::npos ? open : offer.find(L'"', open + 1);
    return close == std::wstring::npos ? std::wstring() : offer.substr(open + 1, close - open - 1);
}

// An earlier list in the same second is never replaced: the run writes "UnMatch ... (2).txt" and
// its offer names that file. A second run right after writes a file of its own again.
TEST_F(MatchProgram, AListInTheSameSecondAsAnEarlierOneTakesTheNextNumberAndKeepsTheEarlier) {
    const std::string earlierBytes = "An earlier list the user was told about.\r\n";
    const ListNamesTaken earlier(Work().folder, 30s, &earlierBytes);
    ASSERT_TRUE(earlier.Any());
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, Work().playlists + L"\\Mix.m3u");

    std::vector<std::wstring> offered;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first run" : "second run, right after");
        Click(Control(kIdCmdMatch));
        const HWND box = WaitForBox();
        ASSERT_NE(box, nullptr);
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, L"Unmatch List");
        offered.push_back(OfferedPath(view.text));
        ASSERT_TRUE(AnswerMessageBox(box, IDNO));
        const std::wstring& path = offered.back();
        ASSERT_FALSE(path.empty()) << ::testing::PrintToString(view.text);
        const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
        const std::size_t number = name.rfind(L" (");
        ASSERT_NE(number, std::wstring::npos) << "a numbered name: " << ::testing::PrintToString(name);
        EXPECT_TRUE(name.substr(number) == L" (2).txt" || name.substr(number) == L" (3).txt") << ::testing::PrintToString(name);
        const std::wstring earlierPath = Work().folder + L"\\" + name.substr(0, number) + L".txt";
        EXPECT_NE(std::find(earlier.Paths().begin(), earlier.Paths().end(), earlierPath), earlier.Paths().end())
            << "the name of an earlier list, numbered: " << ::testing::PrintToString(name);
        std::string written;
        ASSERT_TRUE(ReadFileBytes(path, written)) << "the offered file is there";
        EXPECT_EQ(written.rfind("Playlist titles which DO NOT have matching file name...\r\n", 0), 0u);
    }
    EXPECT_NE(offered[0], offered[1]) << "each run has a file of its own";
    std::string first;
    ASSERT_TRUE(ReadFileBytes(offered[0], first));
    EXPECT_EQ(first.rfind("Playlist titles", 0), 0u) << "the first run's list is kept";
    for (const std::wstring& path : earlier.Paths()) {
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(path, bytes));
        EXPECT_EQ(bytes, earlierBytes) << "an earlier list is left as it was: " << ::testing::PrintToString(path);
    }
    for (const std::wstring& path : offered) ::DeleteFileW(path.c_str());
}

// Playlists that cannot be read whatever their bytes: a box for each, and Match still answers.
TEST_F(MatchProgram, DeviceNamesAndEmptyPlaylistsAreFailuresNeverAHangOrAList) {
    Type(kIdTxtBrowse, Work().lyricsFolder);
    ASSERT_TRUE(WriteFileBytes(Work().playlists + L"\\Empty.m3u", ""));
    ASSERT_TRUE(WriteFileBytes(Work().playlists + L"\\Empty.pls", ""));
    const auto expectFailure = [&](const std::wstring& playlist, const std::wstring& expected) {
        SCOPED_TRACE(::testing::PrintToString(playlist));
        Type(kIdTxtOpen, playlist);
        EXPECT_EQ(FailedRunsMessage(), expected);
        DWORD_PTR ignored = 0;
        EXPECT_NE(::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored), 0) << "Match still answers";
    };
    // Device names: the system takes "COM1.m3u" in any folder for the port; a read may never return.
    for (const wchar_t* name : {L"COM1.m3u", L"AUX.m3u"}) {
        const std::wstring playlist = Work().playlists + L"\\" + name;
        expectFailure(playlist,
                      L"\"" + playlist + L"\" is not a playlist file: it is a device, a pipe or a folder, so it is not read.");
    }
    for (const wchar_t* name : {L"Empty.m3u", L"Empty.pls"}) {
        const std::wstring playlist = Work().playlists + L"\\" + name;
        expectFailure(playlist, L"The playlist \"" + playlist + L"\" could not be read: it is empty.");
    }
    EXPECT_EQ(match_.ExitCode(), STILL_ACTIVE);
}

// Titles in other scripts: a UTF-8 .m3u8 and a UTF-16 .pls against lyrics named in Greek and
// Japanese, in a folder with a Greek name. Greek capitals match small letters as Latin ones do;
// what is left goes into a list in UTF-8 with a byte-order mark, where no name becomes "?", and
// Notepad shows it.
TEST_F(MatchProgram, UnicodePlaylistsMatchNamesInOtherScriptsAndTheListKeepsEveryName) {
    const std::wstring lyricsFolder = Work().folder + L"\\\u03a3\u03c4\u03af\u03c7\u03bf\u03b9";  // "Στίχοι"
    MakeFolder(lyricsFolder);
    for (const wchar_t* name : {L"\u03a9\u0394\u0389.txt", L"\u65e5\u672c.txt", L"\u0394\u0394\u0394.txt"})
        ASSERT_TRUE(WriteFileBytes(lyricsFolder + L"\\" + name, "la la la\r\n"));
    const std::wstring m3u8 = Work().playlists + L"\\Unicode.m3u8";
    ASSERT_TRUE(WriteFileBytes(m3u8, Utf8Bytes(L"#EXTM3U\r\n#EXTINF:60,\u03c9\u03b4\u03ae\r\nC:\\Music\\1.mp3\r\n"
                                               L"#EXTINF:61,\u65e5\u672c\r\nC:\\Music\\2.mp3\r\n"
                                               L"#EXTINF:62,\u6771\u4eac\r\nC:\\Music\\3.mp3\r\n")));
    const std::wstring pls = Work().playlists + L"\\Unicode.pls";
    ASSERT_TRUE(
        WriteFileBytes(pls, "\xFF\xFE" + Utf16LeBytes(L"[playlist]\r\nFile1=1.mp3\r\nTitle1=\u03b4\u03b4\u03b4\r\nLength1=100\r\n"
                                                      L"File2=2.mp3\r\nTitle2=\u03a9\u0394\u0389\r\nLength2=20\r\n"
                                                      L"File3=3.mp3\r\nTitle3=\u30b5\u30af\u30e9\r\nLength3=3\r\n"
                                                      L"NumberOfEntries=3\r\nVersion=2\r\n")));
    // One title and one file are left each time, so the folder's own order does not matter.
    const auto expectedList = [&](const std::wstring& playlist, const wchar_t* length, const wchar_t* title,
                                  const wchar_t* file) {
        return "\xEF\xBB\xBF" + Utf8Bytes(
                                    L"Playlist titles which DO NOT have matching file name...\r\n"
                                    L"\r\n"
                                    L"Playlist Name = \"" +
                                    playlist + L"\" with 3 titles.\r\nPlaylist Length = " + length +
                                    L" (hh:mm:ss)\r\n"
                                    L"\r\n" +
                                    title +
                                    L"\r\n"
                                    L"\r\n"
                                    L"\r\n"
                                    L"Files which DO NOT have matching Playlist titles...\r\n"
                                    L"\r\n"
                                    L"Lyrics Folder = \"" +
                                    lyricsFolder +
                                    L"\" with 3 text files.\r\n"
                                    L"\r\n" +
                                    file + L"\r\n");
    };

    Type(kIdTxtBrowse, lyricsFolder);
    Type(kIdTxtOpen, m3u8);
    std::wstring listName;
    HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr) << "an .m3u8 passes the check and is read";
    ASSERT_FALSE(listName.empty());
    std::string written;
    ASSERT_TRUE(ReadFileBytes(Work().folder + L"\\" + listName, written));
    EXPECT_EQ(written, expectedList(m3u8, L"0:3:3", L"\u6771\u4eac", L"\u0394\u0394\u0394"));
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    ASSERT_TRUE(::DeleteFileW((Work().folder + L"\\" + listName).c_str()));

    Type(kIdTxtOpen, pls);
    box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    ASSERT_FALSE(listName.empty());
    ASSERT_TRUE(ReadFileBytes(Work().folder + L"\\" + listName, written));
    EXPECT_EQ(written, expectedList(pls, L"0:2:3", L"\u30b5\u30af\u30e9", L"\u65e5\u672c"));

    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    const HWND notepad = WaitForNotepad(listName);
    ASSERT_NE(notepad, nullptr) << "Yes opens the UTF-8 list in Notepad as it opens any list";
    HWND edit = nullptr;
    for (HWND child : ChildWindows(notepad)) {
        if (ClassName(child) == L"Edit") edit = child;
    }
    ASSERT_NE(edit, nullptr) << "Notepad's text box";
    std::wstring shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = WindowText(edit)).find(L"\u30b5\u30af\u30e9") != std::wstring::npos; }, 5s))
        << "Notepad shows the names, not the bytes: " << ::testing::PrintToString(Utf8Bytes(shown));
    EXPECT_EQ(shown.find(L'?'), std::wstring::npos);
}

TEST_F(MatchProgram, HelpOpensTheHelpFileBesideTheProgram) {
    Click(Control(kIdCmdHelp));
    EXPECT_NE(WaitForNotepad(L"Match Help.txt"), nullptr);
    EXPECT_TRUE(NoBoxFor(300ms));
}

TEST_F(MatchProgram, ExitProgramEndsTheProcess) {
    Click(Control(kIdCmdExit));
    ASSERT_TRUE(match_.WaitForExit(10s));
    EXPECT_EQ(match_.ExitCode(), 0u);
}

TEST_F(MatchProgram, ClosingTheWindowEndsTheProcess) {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(match_.WaitForExit(10s));
    EXPECT_EQ(match_.ExitCode(), 0u);
}

TEST_F(MatchProgram, CloseRequestsDuringARunWaitForItsEnd) {
    Type(kIdTxtBrowse, Work().lyricsFolder);
    Type(kIdTxtOpen, Work().playlists + L"\\Mix.m3u");
    std::wstring listName;
    const HWND box = RunToPrompt(listName);
    ASSERT_NE(box, nullptr);
    // The close box and Alt+F4, while the offer names the list.
    ::PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(match_.WaitForExit(1500ms)) << "Match ended inside the offer";
    EXPECT_TRUE(::IsWindow(box)) << "the offer stays until it is answered";
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_FALSE(match_.WaitForExit(1s)) << "a close during the run is dropped, not kept for later";
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(match_.WaitForExit(10s)) << "once idle, a close ends Match";
}

TEST_F(MatchProgram, CancelledPickersLeaveTheBoxesAlone) {
    Type(kIdTxtBrowse, L"C:\\kept folder");
    Type(kIdTxtOpen, L"C:\\kept.m3u");

    Click(Control(kIdCmdOpen));
    HWND dialog = WaitForBox();
    ASSERT_NE(dialog, nullptr) << "the playlist picker";
    EXPECT_EQ(WindowText(dialog), L"Open File");
    ASSERT_TRUE(AnswerMessageBox(dialog, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(kIdTxtOpen1)).empty(); }, 5s))
        << "the scratch box is empty after a pick, even a cancelled one";
    EXPECT_EQ(WindowText(Control(kIdTxtOpen)), L"C:\\kept.m3u");

    Click(Control(kIdCmdBrowse));
    dialog = WaitForBox();
    ASSERT_NE(dialog, nullptr) << "the folder picker";
    bool promptShown = false;
    for (HWND child : ChildWindows(dialog)) promptShown = promptShown || WindowText(child) == L"Lyrics Folder...";
    EXPECT_TRUE(promptShown) << "the folder picker shows the prompt";
    ASSERT_TRUE(AnswerMessageBox(dialog, IDCANCEL));
    EXPECT_EQ(WindowText(Control(kIdTxtBrowse)), L"C:\\kept folder");
}

TEST_F(MatchProgram, PickedFolderReplacesTheBox) {
    Type(kIdTxtBrowse, L"old text");
    Click(Control(kIdCmdBrowse));
    const HWND dialog = WaitForBox();
    ASSERT_NE(dialog, nullptr);
    HWND tree = nullptr;
    for (HWND child : ChildWindows(dialog)) {
        if (ClassName(child) == WC_TREEVIEWW) tree = child;
    }
    ASSERT_NE(tree, nullptr) << "the folder tree";
    // The tree starts at the desktop, a file-system folder of its own.
    const auto root = static_cast<LPARAM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    ASSERT_NE(root, 0);
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, root);
    ASSERT_TRUE(AnswerMessageBox(dialog, IDOK));
    std::wstring chosen;
    EXPECT_TRUE(WaitUntil([&] { return (chosen = WindowText(Control(kIdTxtBrowse))) != L"old text"; }, 5s));
    const DWORD attributes = ::GetFileAttributesW(chosen.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "a folder that exists: " << ::testing::PrintToString(chosen);
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
    const std::wstring chosen = Work().playlists + L"\\Loud.M3U";
    ASSERT_TRUE(SetText(nameBox, chosen));
    ASSERT_TRUE(AnswerMessageBox(dialog, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(kIdTxtOpen)) == chosen; }, 5s))
        << ::testing::PrintToString(WindowText(Control(kIdTxtOpen)));
    EXPECT_EQ(WindowText(Control(kIdTxtOpen1)), L"") << "the scratch box stays empty";
}

}  // namespace
