#include "tests/e2e/orlisk_e2e_support.h"

#include <psapi.h>

#include <algorithm>
#include <fstream>
#include <thread>

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

std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path.front() != L'/') return path;
    std::wstring windows = L"Z:" + path;
    for (wchar_t& c : windows)
        if (c == L'/') c = L'\\';
    return windows;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
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

namespace {

constexpr wchar_t orliskSettingsClass[] = L"OrliskSettingsWindow";
constexpr wchar_t popupMenuClass[] = L"#32768";

}  // namespace

HWND DrivenOrlisk::Start() {
    const std::vector<HWND> before = TrayIconWindows();
    if (!process_.Start(Programs().orlisk)) return nullptr;
    WaitFor(
        [&] {
            const auto windows = TopLevelWindows(orliskSettingsClass, process_.Id());
            settings_ = windows.empty() ? nullptr : windows.front();
            return settings_ != nullptr;
        },
        10s);
    WaitFor(
        [&] {
            for (HWND icon : TrayIconWindows())
                if (std::find(before.begin(), before.end(), icon) == before.end()) icon_ = icon;
            return icon_ != nullptr;
        },
        5s);
    return icon_ ? settings_ : nullptr;
}

void DrivenOrlisk::ClickIcon() {
    ::PostMessageW(icon_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    ::PostMessageW(icon_, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
}

bool DrivenOrlisk::Choose(int commandsDown) {
    ::PostMessageW(icon_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 8));
    ::PostMessageW(icon_, WM_RBUTTONUP, 0, MAKELPARAM(8, 8));
    HWND menu = nullptr;
    const bool shown = WaitFor(
        [&] {
            for (HWND window : TopLevelWindows(popupMenuClass, process_.Id()))
                if (::IsWindowVisible(window)) menu = window;
            return menu != nullptr;
        },
        10s);
    if (!shown) return false;
    for (int step = 0; step < commandsDown; ++step) {
        ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYUP, VK_DOWN, 0);
    }
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    // The next Choose must not find this menu still on screen.
    const auto gone = [&] { return !::IsWindow(menu) || !::IsWindowVisible(menu); };
    if (WaitFor(gone, 5s)) return true;
    // The keys went elsewhere (a handler run inside the menu's loop handled them): the menu goes,
    // so that the test fails and nothing is left waiting for a choice.
    ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor(gone, 5s);
    return false;
}

bool DrivenOrlisk::Answers() {
    if (!Choose(kSettings)) return false;
    if (!WaitFor([&] { return ::IsWindowVisible(settings_) != FALSE; }, 10s)) return false;
    Click(FindControl(settings_, L"Button", L"OK"));
    return WaitFor([&] { return !::IsWindowVisible(settings_); }, 5s);
}

std::vector<HWND> DrivenOrlisk::VisibleDialogs() const {
    std::vector<HWND> dialogs;
    for (HWND window : TopLevelWindows(L"#32770", process_.Id()))
        if (::IsWindowVisible(window)) dialogs.push_back(window);
    return dialogs;
}

void DrivenOrlisk::Stop() {
    if (!process_.IsRunning()) return;
    if (settings_) Click(FindControl(settings_, L"Button", L"Exit Program"));
    if (!process_.WaitForExit(5s)) process_.Terminate();
}

namespace {

// The layout NtQuerySystemInformation gives for SystemExtendedHandleInformation (64).
struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
constexpr ULONG systemExtendedHandleInformation = 64;
constexpr LONG statusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

}  // namespace

std::optional<std::size_t> HandleCount(DWORD processId) {
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return std::nullopt;
    std::vector<unsigned char> buffer(1 << 16);
    for (int attempt = 0; attempt < 16; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(systemExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == statusInfoLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status < 0) return std::nullopt;
        const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
        std::size_t count = 0;
        for (ULONG_PTR i = 0; i < table->count; ++i)
            if (table->entries[i].processId == processId) ++count;
        return count;
    }
    return std::nullopt;
}

std::optional<std::size_t> CommittedBytes(DWORD processId) {
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return std::nullopt;
    PROCESS_MEMORY_COUNTERS counters{};
    const bool read = ::K32GetProcessMemoryInfo(process, &counters, sizeof counters);
    ::CloseHandle(process);
    // Wine leaves PrivateUsage at 0 but fills the commit charge, which is the same figure.
    if (!read || counters.PagefileUsage == 0) return std::nullopt;
    return counters.PagefileUsage;
}

}  // namespace orlisk_e2e
