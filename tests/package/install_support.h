// What the installer's tests need of Windows: programs started with a command line and waited for
// (bounded), the per-user folders and registry values an installation touches, shortcut targets,
// version resources, and the processes and windows of a given program.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "tests/driver/driver_support.h"

namespace package_test {

using namespace std::chrono_literals;

using lyrics::testing::WaitFor;
using lyrics::testing::WindowsPath;

// A program started from a command line; ended when the object goes, if it still runs.
class Process {
public:
    Process() = default;
    Process(Process&&) = default;
    Process& operator=(Process&&) = default;
    ~Process() { Terminate(); }

    // commandLine as CreateProcess takes it, the program's path quoted first; creationFlags as
    // CreateProcess takes them (CREATE_SUSPENDED: the program's file is in use, nothing of it runs).
    bool Start(const std::wstring& commandLine, DWORD creationFlags = 0);
    bool WaitForExit(std::chrono::milliseconds timeout) const;
    bool IsRunning() const;
    // The exit code once ended; nullopt while it runs.
    std::optional<DWORD> ExitCode() const;
    DWORD Id() const noexcept { return id_; }
    void Terminate();

private:
    lyrics::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Runs a command line to its end; the exit code, or nullopt when it could not start or overran.
std::optional<DWORD> Run(const std::wstring& commandLine, std::chrono::milliseconds timeout = 120s);

// "path" in double quotes, as a command line and the registry's command values write a path.
std::wstring Quoted(const std::wstring& path);

// A known folder of the user (FOLDERID_LocalAppData, FOLDERID_Programs ...).
std::filesystem::path KnownFolder(const GUID& id);

// Registry values under HKEY_CURRENT_USER; nullopt when the value (or its key) is missing.
std::optional<std::wstring> StringValue(const std::wstring& key, const wchar_t* name);
std::optional<DWORD> DwordValue(const std::wstring& key, const wchar_t* name);
bool KeyExists(const std::wstring& key);
void SetStringValue(const std::wstring& key, const wchar_t* name, const std::wstring& value);
void DeleteKeyTree(const std::wstring& key);
void DeleteValue(const std::wstring& key, const wchar_t* name);

// The program a shortcut (.lnk) starts; empty when it cannot be read.
std::wstring ShortcutTarget(const std::filesystem::path& link);

// The file version of a program's version resource as "a.b.c.d"; empty when it has none.
std::wstring FileVersion(const std::filesystem::path& program);

// Ids of the running processes whose program file is named name ("Au_.exe"), in any letter case.
std::vector<DWORD> ProcessesNamed(const std::wstring& name);

// The top-level windows of one class, of one process or (0) of any.
std::vector<HWND> WindowsOfClass(const wchar_t* className, DWORD processId = 0);

// The names of the entries of a folder, sorted; empty when it does not exist.
std::vector<std::wstring> FolderEntries(const std::filesystem::path& folder);

}  // namespace package_test
