// What a test reads of a running process from outside to see whether it leaks: the handles it
// holds and the memory it has committed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace lyrics::testing {

// The handles a process holds, as the kernel lists them (NtQuerySystemInformation with
// SystemExtendedHandleInformation, which Wine answers, unlike GetProcessHandleCount).
std::optional<std::size_t> HandleCount(DWORD processId);
// The memory a process has committed for itself (its private bytes).
std::optional<std::size_t> CommittedBytes(DWORD processId);

}  // namespace lyrics::testing
