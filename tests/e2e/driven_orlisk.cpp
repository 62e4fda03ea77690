#include "tests/e2e/driven_orlisk.h"

#include <psapi.h>

#include <algorithm>

namespace orlisk_e2e {

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
            icons_.clear();
            for (HWND icon : TrayIconWindows())
                if (std::find(before.begin(), before.end(), icon) == before.end()) icons_.push_back(icon);
            return !icons_.empty();
        },
        5s);
    return icons_.empty() ? nullptr : settings_;
}

void DrivenOrlisk::ClickIcon() {
    if (icons_.empty()) return;
    ::PostMessageW(icons_.front(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    ::PostMessageW(icons_.front(), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
}

HWND DrivenOrlisk::OpenMenu() {
    if (icons_.empty()) return nullptr;
    ::PostMessageW(icons_.front(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 8));
    ::PostMessageW(icons_.front(), WM_RBUTTONUP, 0, MAKELPARAM(8, 8));
    HWND menu = nullptr;
    WaitFor(
        [&] {
            for (HWND window : TopLevelWindows(popupMenuClass, process_.Id()))
                if (::IsWindowVisible(window)) menu = window;
            return menu != nullptr;
        },
        10s);
    return menu;
}

bool DrivenOrlisk::Choose(int commandsDown) {
    const HWND menu = OpenMenu();
    if (!menu) return false;
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
