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
#include "tests/driver/file_bytes.h"
#include "tests/driver/registry.h"
#include "tests/driver/started_process.h"
#include "tests/driver/window_input.h"
#include "tests/driver/window_search.h"

namespace package_test {

using namespace lyrics::testing;

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

// The first text (WM_GETTEXT) of the window's descendants holding part; empty when none does.
std::wstring TextHolding(HWND window, const std::wstring& part);

// The first top-level window of one class and process one of whose descendants' texts contains
// text; nullptr when none does.
HWND WindowShowing(const wchar_t* className, DWORD processId, const std::wstring& text);

// The names of the entries of a folder, sorted; empty when it does not exist.
std::vector<std::wstring> FolderEntries(const std::filesystem::path& folder);

// A file's bytes; empty when it cannot be read.
std::string FileBytes(const std::filesystem::path& file);
// Writes the file, and the folders above it that are missing.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace package_test
