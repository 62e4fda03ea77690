#include "tests/e2e/orlisk_e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace orlisk_e2e {

namespace {

constexpr wchar_t settingsKey[] = L"Software\\VB and VBA Program Settings\\Orlisk\\Settings";
constexpr wchar_t orliskKey[] = L"Software\\VB and VBA Program Settings\\Orlisk";
constexpr UINT sendTimeoutMs = 5000;

std::wstring QuoteArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    for (wchar_t c : argument) {
        if (c == L'"') quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

void CollectTrayIcons(HWND window, std::vector<HWND>& icons) {
    if (ClassName(window) == L"__winex11_tray_icon") icons.push_back(window);
}

}  // namespace

ProgramPaths& Programs() {
    static ProgramPaths paths;
    return paths;
}

int RunOrliskE2ETests(int argc, wchar_t** argv, const std::function<void(const std::wstring&)>& otherArgument) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument.starts_with(L"--orlisk=")) {
            Programs().orlisk = WindowsPath(argument.substr(9));
        } else if (argument.starts_with(L"--winamp=")) {
            Programs().winamp = WindowsPath(argument.substr(9));
        } else if (otherArgument) {
            otherArgument(argument);
        }
    }
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const UnmanagedWindows unmanaged;
    return RUN_ALL_TESTS();
}

ChildProcess::~ChildProcess() {
    Terminate();
    if (process_) ::CloseHandle(process_);
}

bool ChildProcess::Start(const std::wstring& exe, const std::vector<std::wstring>& arguments) {
    std::wstring commandLine = QuoteArgument(exe);
    for (const std::wstring& argument : arguments) commandLine += L" " + QuoteArgument(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // No handles inherited: a program under test must not keep the test's pipes open.
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    ::WaitForInputIdle(process_, 5000);
    return true;
}

bool ChildProcess::IsRunning() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    return !process_ || ::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> ChildProcess::ExitCode() const {
    DWORD code = 0;
    if (!process_ || IsRunning() || !::GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

void ChildProcess::Terminate() {
    if (!IsRunning()) return;
    ::TerminateProcess(process_, 99);
    ::WaitForSingleObject(process_, 5000);
}

std::vector<HWND> TopLevelWindows(const wchar_t* className, DWORD processId) {
    std::vector<HWND> windows;
    for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (className && ClassName(window) != className) continue;
        if (processId && ProcessOf(window) != processId) continue;
        windows.push_back(window);
    }
    return windows;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}

std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    // Docked into an X tray the icons are top-level; in Wine's own tray window they are its children.
    for (HWND top : TopLevelWindows()) {
        CollectTrayIcons(top, icons);
        for (HWND child = ::FindWindowExW(top, nullptr, nullptr, nullptr); child;
             child = ::FindWindowExW(top, child, nullptr, nullptr))
            CollectTrayIcons(child, icons);
    }
    return icons;
}

std::vector<HWND> NotepadWindows() { return TopLevelWindows(L"Notepad"); }

void EndAllNotepads() {
    for (HWND window : NotepadWindows()) {
        const HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(window));
        if (!process) continue;
        ::TerminateProcess(process, 0);
        ::WaitForSingleObject(process, 5000);
        ::CloseHandle(process);
    }
    WaitFor([] { return NotepadWindows().empty(); }, 5s);
}

HWND FindControl(HWND parent, const wchar_t* className, const wchar_t* caption) {
    return ::FindWindowExW(parent, nullptr, className, caption);
}

LRESULT CheckOf(HWND button) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

bool Click(HWND button) {
    DWORD_PTR result = 0;
    return button && ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &result) != 0;
}

bool SetText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, sendTimeoutMs,
                                 &result) != 0;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, sendTimeoutMs,
                          &result);
    return text;
}

void DeleteSettings() { ::RegDeleteTreeW(HKEY_CURRENT_USER, orliskKey); }

void StoreSetting(const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, settingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

std::optional<std::wstring> StoredSetting(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, settingsKey, name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

HWND WaitForSettingsWindow(const ChildProcess& orlisk, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    WaitFor(
        [&] {
            const auto windows = TopLevelWindows(L"OrliskSettingsWindow", orlisk.Id());
            window = windows.empty() ? nullptr : windows.front();
            return window != nullptr;
        },
        timeout);
    return window;
}

void EndOrlisk(ChildProcess& orlisk) {
    if (!orlisk.IsRunning()) return;
    const auto windows = TopLevelWindows(L"OrliskSettingsWindow", orlisk.Id());
    if (!windows.empty()) Click(FindControl(windows.front(), L"Button", L"Exit Program"));
    if (!orlisk.WaitForExit(5s)) orlisk.Terminate();
}

HWND LyricsNotepad(const std::wstring& title) { return ::FindWindowW(L"Notepad", (title + L".txt - Notepad").c_str()); }

namespace {

constexpr wchar_t x11DriverKey[] = L"Software\\Wine\\X11 Driver";

}  // namespace

UnmanagedWindows::UnmanagedWindows() {
    wchar_t value[64] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, x11DriverKey, L"Managed", RRF_RT_REG_SZ, nullptr, value, &bytes) == ERROR_SUCCESS)
        previous_ = value;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, x11DriverKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    constexpr wchar_t no[] = L"N";
    ::RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof no);
    ::RegCloseKey(key);
}

UnmanagedWindows::~UnmanagedWindows() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, x11DriverKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (previous_) {
        ::RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_->c_str()),
                         static_cast<DWORD>((previous_->size() + 1) * sizeof(wchar_t)));
    } else {
        ::RegDeleteValueW(key, L"Managed");
    }
    ::RegCloseKey(key);
}

namespace {

constexpr wchar_t desktopKey[] = L"Control Panel\\Desktop";

}  // namespace

ScreenDpi::ScreenDpi(DWORD dpi) {
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, desktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &bytes) == ERROR_SUCCESS)
        previous_ = value;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, desktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

ScreenDpi::~ScreenDpi() {
    if (previous_) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, desktopKey, L"LogPixels", REG_DWORD, &*previous_, sizeof *previous_);
    } else {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, desktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        ::RegDeleteValueW(key, L"LogPixels");
        ::RegCloseKey(key);
    }
}

LyricsFolder::LyricsFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::filesystem::path(temp) /
              (L"orlisk-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64()));
    std::filesystem::create_directories(folder_);
}

LyricsFolder::~LyricsFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void LyricsFolder::AddLyrics(const std::wstring& title) const {
    std::ofstream file(folder_ / (title + L".txt"), std::ios::binary);
    file << "Lyrics of a song\r\nfor the end-to-end tests\r\n";
}

void LyricsFolder::AddFolder(const std::wstring& name) const { std::filesystem::create_directories(folder_ / name); }

std::wstring LyricsFolder::Path(bool trailingBackslash) const {
    std::wstring path = folder_.wstring();
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return trailingBackslash ? path + L"\\" : path;
}

}  // namespace orlisk_e2e
