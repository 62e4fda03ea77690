#include "tests/e2e/match_fixture.h"

namespace match_e2e {

namespace {

Workspace& MutableWork() {
    static Workspace work;
    return work;
}

void MakeFolder(const std::wstring& path) { ::CreateDirectoryW(path.c_str(), nullptr); }

}  // namespace

const Workspace& Work() { return MutableWork(); }

std::string M3u(const std::vector<std::pair<int, std::wstring>>& entries) {
    std::wstring text = L"#EXTM3U\r\n";
    for (const auto& [seconds, title] : entries)
        text += L"#EXTINF:" + std::to_wstring(seconds) + L"," + title + L"\r\nC:\\Music\\" + title + L".mp3\r\n";
    return AnsiBytes(text);
}

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

std::wstring UnmatchListText(const std::wstring& playlist, const std::wstring& length, const std::wstring& titleLeft,
                             const std::wstring& folder, const std::wstring& fileLeft) {
    return L"Playlist titles which DO NOT have matching file name...\r\n\r\nPlaylist Name = \"" + playlist +
           L"\" with 3 titles.\r\nPlaylist Length = " + length + L" (hh:mm:ss)\r\n\r\n" + titleLeft +
           L"\r\n\r\n\r\nFiles which DO NOT have matching Playlist titles...\r\n\r\nLyrics Folder = \"" + folder +
           L"\" with 3 text files.\r\n\r\n" + fileLeft + L"\r\n";
}

void MatchProgram::SetUpTestSuite() {
    Workspace& work = MutableWork();
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
    for (const wchar_t* name : {L"Alpha.txt", L"BETA.TXT", L"Gamma.txt", L"cover.jpg"})
        WriteFileBytes(work.lyricsFolder + L"\\" + name, "la la la\r\n");
    work.playlists = work.folder + L"\\Playlists";
    MakeFolder(work.playlists);
    const std::string mix = M3u({{3600, L"alpha"}, {120, L"Beta"}, {5, L"Delta Caf\u00e9"}});
    for (const wchar_t* name : {L"Mix.m3u", L"Loud.M3U", L"Mix.txt"}) WriteFileBytes(work.playlists + L"\\" + name, mix);
    WriteFileBytes(work.playlists + L"\\Short.b4s",
                   "<?xml version=\"1.0\" encoding='UTF-8' standalone=\"yes\"?>\r\n<WinampXML>\r\n");
}

void MatchProgram::SetUp() {
    ASSERT_FALSE(EnvironmentText(L"DISPLAY").empty()) << "no X display: run under scripts/wine-env";
    ASSERT_FALSE(Work().exe.empty()) << "MATCH_EXE and MATCH_E2E_WORK must name Match.exe and a scratch folder";
    DeleteFilesMatching(Work().folder, kListPattern);
    StartMatch();
}

void MatchProgram::StartMatch() {
    ASSERT_TRUE(match_.Start(Work().exe, {}, Work().folder)) << "cannot start " << ::testing::PrintToString(Work().exe);
    match_.WaitForInputIdle(kWindowTimeout);
    window_ = WaitForWindow([&] { return FindTopLevelWindow(kCaption, match_.Id()); });
    ASSERT_NE(window_, nullptr) << "no window captioned Pellanor";
}

void MatchProgram::TearDown() {
    for (HWND notepad : openedNotepads_)
        if (::IsWindow(notepad)) EndProcess(ProcessOf(notepad));
    match_.End();
}

HWND MatchProgram::WaitForBox(std::chrono::milliseconds timeout) const {
    return WaitForWindow([&] { return FindOwnedDialog(window_); }, timeout);
}

bool MatchProgram::FocusReaches(int id) const {
    return WaitFor([&] { return FocusedWindowOf(window_) == Control(id); }, 5s);
}

void MatchProgram::ExpectInputCheck(const std::wstring& message, int focusedBox) {
    Click(Control(kIdCmdMatch));
    ExpectInvalidBox(message, focusedBox);
}

void MatchProgram::ExpectInvalidBox(const std::wstring& message, int focusedBox) {
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

HWND MatchProgram::RunToPrompt(std::wstring& listName) {
    SYSTEMTIME before{}, after{};
    ::GetLocalTime(&before);
    Click(Control(kIdCmdMatch));
    const HWND box = WaitForBox();
    ::GetLocalTime(&after);
    const std::vector<std::wstring> lists = FilesMatching(Work().folder, kListPattern);
    EXPECT_EQ(lists.size(), 1u) << "one list beside Match.exe";
    if (lists.size() == 1) {
        listName = lists[0];
        EXPECT_EQ(ListNamesBetween(before, after).count(listName), 1u)
            << "named after the time of the run: " << ::testing::PrintToString(listName);
    }
    return box;
}

std::wstring MatchProgram::FailedRunsMessage() {
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
    EXPECT_TRUE(FilesMatching(Work().folder, kListPattern).empty()) << "no list from a failed run";
    return view.text;
}

HWND MatchProgram::WaitForNotepadOf(const std::wstring& fileName, std::chrono::milliseconds timeout) {
    const HWND notepad = WaitForNotepad(fileName, timeout);
    if (notepad) openedNotepads_.push_back(notepad);
    return notepad;
}

}  // namespace match_e2e
