#include "orlisk/win32/winamp_remote_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "orlisk/win32/desktop_win32.h"
#include "orlisk/win32/winamp_ipc.h"

namespace lyrics::orlisk::win32 {

namespace {

// Below this no process has readable memory; Winamp answers 1 to a question it does not know.
constexpr std::uintptr_t kLowestAddress = 0x10000;

// Questions to one window within one deadline for all of them.
class Asker {
public:
    Asker(HWND window, std::chrono::milliseconds budget)
        : window_(window), deadline_(std::chrono::steady_clock::now() + budget) {}

    // The answer, or nothing when the window did not answer before the deadline.
    std::optional<LRESULT> Ask(WPARAM data, LPARAM id) const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - std::chrono::steady_clock::now()).count();
        if (left <= 0) return std::nullopt;
        DWORD_PTR result = 0;
        const UINT flags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
        if (::SendMessageTimeoutW(window_, kWmWinampIpc, data, id, flags, static_cast<UINT>(left), &result) == 0) {
            return std::nullopt;
        }
        return static_cast<LRESULT>(result);
    }

private:
    HWND window_;
    std::chrono::steady_clock::time_point deadline_;
};

// Numbers are a 32-bit int in Winamp, whatever the width of the result that carries them.
int AsInt(LRESULT result) { return static_cast<int>(static_cast<std::int32_t>(result)); }

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return ::IsWow64Process(process, &wow64) && wow64;
}

// Where the title lies in the other process, as this process must name it; nothing when its
// pointers are wider than ours (a 32-bit Orlisk cannot reach a 64-bit player's memory).
std::optional<std::uintptr_t> AddressIn(HANDLE process, LRESULT pointer) {
#if defined(_WIN64)
    // A 32-bit Winamp's pointer comes sign-extended; only its 32 bits name the address.
    if (IsWow64(process)) return static_cast<std::uint32_t>(pointer);
    return static_cast<std::uintptr_t>(pointer);
#else
    if (IsWow64(::GetCurrentProcess()) && !IsWow64(process)) return std::nullopt;
    return static_cast<std::uintptr_t>(pointer);
#endif
}

std::size_t PageSize() {
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    return system.dwPageSize;
}

// A wide string ending in a null character, read from the other process a page at most at a
// time (a page is readable whole or not at all); nothing when a read fails or no null character
// comes within kMaxWinampTitle characters.
std::optional<std::wstring> ReadTitle(HANDLE process, std::uintptr_t address) {
    static const std::size_t page = PageSize();
    constexpr std::size_t kMaxBytes = (kMaxWinampTitle + 1) * sizeof(wchar_t);
    std::vector<unsigned char> bytes;
    std::size_t scanned = 0;  // bytes already looked at for the null character, always even
    while (bytes.size() < kMaxBytes) {
        const std::uintptr_t at = address + bytes.size();
        if (at < address) return std::nullopt;  // past the end of the address space
        std::size_t chunk = page - static_cast<std::size_t>(at % page);
        if (chunk > kMaxBytes - bytes.size()) chunk = kMaxBytes - bytes.size();
        const std::size_t before = bytes.size();
        bytes.resize(before + chunk);
        SIZE_T read = 0;
        if (!::ReadProcessMemory(process, reinterpret_cast<LPCVOID>(at), bytes.data() + before, chunk, &read) || read != chunk) {
            return std::nullopt;
        }
        for (; scanned + 1 < bytes.size(); scanned += sizeof(wchar_t)) {
            if (bytes[scanned] == 0 && bytes[scanned + 1] == 0) {
                std::wstring title(scanned / sizeof(wchar_t), L'\0');
                std::memcpy(title.data(), bytes.data(), scanned);
                return title;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

WinampAnswer Win32WinampRemote::WhatDoYouPlay(WindowHandle window, std::chrono::milliseconds budget) {
    const HWND winamp = ToHwnd(window);
    const Asker asker(winamp, std::min(budget, budget_));

    const std::optional<LRESULT> version = asker.Ask(0, kIpcGetVersion);
    if (!version || *version == 0) return WinampAnswer::NotAnswering();

    const std::optional<LRESULT> playing = asker.Ask(0, kIpcIsPlaying);
    if (!playing) return WinampAnswer::NotAnswering();
    if (AsInt(*playing) == kStopped) return WinampAnswer::Stopped();
    if (AsInt(*playing) != kPlaying && AsInt(*playing) != kPaused) return WinampAnswer::NotAnswering();

    const std::optional<LRESULT> position = asker.Ask(0, kIpcGetListPos);
    if (!position || AsInt(*position) < 0) return WinampAnswer::NotAnswering();
    const int index = AsInt(*position);

    const std::optional<LRESULT> pointer = asker.Ask(static_cast<WPARAM>(index), kIpcGetPlaylistTitleW);
    if (!pointer) return WinampAnswer::NotAnswering();

    DWORD processId = 0;
    if (::GetWindowThreadProcessId(winamp, &processId) == 0) return WinampAnswer::NotAnswering();
    const UniqueKernelHandle process(::OpenProcess(PROCESS_VM_READ | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return WinampAnswer::NotAnswering();
    const std::optional<std::uintptr_t> address = AddressIn(process.get(), *pointer);
    if (!address || *address < kLowestAddress) return WinampAnswer::NotAnswering();

    std::optional<std::wstring> title = ReadTitle(process.get(), *address);
    if (!title || title->empty()) return WinampAnswer::NotAnswering();
    return WinampAnswer::Playing(index, std::move(*title));
}

}  // namespace lyrics::orlisk::win32
