// What a test reads of a running process from outside to see whether it leaks: the handles it
// holds and the memory it has committed.
#pragma once

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "common/win32/unique_handle.h"

namespace lyrics::testing {

// The handles a process holds, as the kernel lists them (NtQuerySystemInformation with
// SystemExtendedHandleInformation (64), which Wine answers, unlike GetProcessHandleCount).
inline std::optional<std::size_t> HandleCount(DWORD processId) {
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
    constexpr LONG statusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return std::nullopt;
    std::vector<unsigned char> buffer(1 << 16);
    for (int attempt = 0; attempt < 16; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(64, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
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

// The memory a process has committed for itself (its private bytes).
inline std::optional<std::size_t> CommittedBytes(DWORD processId) {
    const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return std::nullopt;
    PROCESS_MEMORY_COUNTERS counters{};
    const bool read = ::K32GetProcessMemoryInfo(process.get(), &counters, sizeof counters);
    // Wine leaves PrivateUsage at 0 but fills the commit charge, which is the same figure.
    if (!read || counters.PagefileUsage == 0) return std::nullopt;
    return counters.PagefileUsage;
}

}  // namespace lyrics::testing
