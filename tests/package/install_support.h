// What the installer's tests need of Windows beyond the driver library (tests/driver): the
// per-user folders an installation touches, shortcut targets, version resources, a program's file
// held as a running program holds it, and the texts of an installer's pages.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "tests/driver/driver_support.h"
#include "tests/driver/registry.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_input.h"
#include "tests/driver/window_search.h"

namespace package_test {

using namespace std::chrono_literals;

using lyrics::testing::DeleteKeyTree;
using lyrics::testing::DeleteValue;
using lyrics::testing::DwordValue;
using lyrics::testing::EndProcess;
using lyrics::testing::KeyExists;
using lyrics::testing::ProcessesNamed;
using lyrics::testing::SetStringValue;
using lyrics::testing::StartedProcess;
using lyrics::testing::StringValue;
using lyrics::testing::TopLevelWindows;
using lyrics::testing::WaitFor;
using lyrics::testing::WindowsPath;

// Runs a command line to its end; the exit code, or nullopt when it could not start or overran.
inline std::optional<DWORD> Run(const std::wstring& commandLine, std::chrono::milliseconds timeout = 120s) {
    return lyrics::testing::Run(commandLine, timeout);
}

// "path" in double quotes, as a command line and the registry's command values write a path.
std::wstring Quoted(const std::wstring& path);

// A known folder of the user (FOLDERID_LocalAppData, FOLDERID_Programs ...).
std::filesystem::path KnownFolder(const GUID& id);

// The program a shortcut (.lnk) starts; empty when it cannot be read.
std::wstring ShortcutTarget(const std::filesystem::path& link);

// The file version of a program's version resource as "a.b.c.d"; empty when it has none.
std::wstring FileVersion(const std::filesystem::path& program);

// A program's file mapped as an image, as Windows holds the file of a running program: it cannot
// be written or removed while the object lives.
class HeldProgramFile {
public:
    explicit HeldProgramFile(const std::filesystem::path& program);
    bool Held() const noexcept { return static_cast<bool>(section_); }

private:
    lyrics::UniqueFileHandle file_;
    lyrics::UniqueKernelHandle section_;
};

// The texts of a window's descendants (WM_GETTEXT), in the order EnumChildWindows gives them.
std::vector<std::wstring> DescendantTexts(HWND window);

// The first top-level window of one class and process one of whose descendants' texts contains
// text; nullptr when none does.
HWND WindowShowing(const wchar_t* className, DWORD processId, const std::wstring& text);

// The names of the entries of a folder, sorted; empty when it does not exist.
std::vector<std::wstring> FolderEntries(const std::filesystem::path& folder);

}  // namespace package_test
