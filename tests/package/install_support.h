// What the installer's tests need of Windows beyond the driver library (tests/driver): the
// per-user folders an installation touches, shortcut targets, version resources, a program's file
// held as a running program holds it, and the texts of an installer's pages.
#pragma once

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tests/driver/file_bytes.h"
#include "tests/driver/owned_objects.h"
#include "tests/driver/registry.h"
#include "tests/driver/window_search.h"

namespace package_test {

using namespace lyrics::testing;

// A known folder of the user (FOLDERID_LocalAppData, FOLDERID_Programs ...).
inline std::filesystem::path KnownFolder(const GUID& id) {
    PWSTR path = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

// The program a shortcut (.lnk) starts; empty when it cannot be read.
inline std::wstring ShortcutTarget(const std::filesystem::path& link) {
    lyrics::ComRef<IShellLinkW> shellLink;
    lyrics::ComRef<IPersistFile> file;
    wchar_t target[MAX_PATH] = {};
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.put_void())) ||
        FAILED(shellLink->QueryInterface(IID_IPersistFile, file.put_void())) || FAILED(file->Load(link.c_str(), STGM_READ)) ||
        FAILED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)))
        return {};
    return target;
}

// The file version of a program's version resource as "a.b.c.d"; empty when it has none.
inline std::wstring FileVersion(const std::filesystem::path& program) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), &ignored);
    std::vector<BYTE> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (size == 0 || !::GetFileVersionInfoW(program.c_str(), 0, size, data.data()) ||
        !::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info)
        return {};
    return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionLS));
}

// A program's file mapped as an image, as Windows holds the file of a running program: it cannot
// be written or removed while the object lives.
class HeldProgramFile {
public:
    explicit HeldProgramFile(const std::filesystem::path& program)
        : file_(::CreateFileW(program.c_str(), GENERIC_READ | GENERIC_EXECUTE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr)) {
        if (file_) section_.reset(::CreateFileMappingW(file_.get(), nullptr, PAGE_EXECUTE_READ | SEC_IMAGE, 0, 0, nullptr));
    }
    bool Held() const noexcept { return static_cast<bool>(section_); }

private:
    lyrics::UniqueFileHandle file_;
    lyrics::UniqueKernelHandle section_;
};

// The first text (WM_GETTEXT) of the window's descendants holding part; empty when none does.
inline std::wstring TextHolding(HWND window, const std::wstring& part) {
    std::vector<std::wstring> texts;
    const auto collect = [](HWND child, LPARAM into) -> BOOL {
        reinterpret_cast<std::vector<std::wstring>*>(into)->push_back(WindowText(child));
        return TRUE;
    };
    ::EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&texts));
    for (const std::wstring& text : texts)
        if (text.find(part) != std::wstring::npos) return text;
    return {};
}

// The first top-level window of one class and process one of whose descendants' texts contains
// text; nullptr when none does.
inline HWND WindowShowing(const wchar_t* className, DWORD processId, const std::wstring& text) {
    for (HWND window : TopLevelWindows(className, processId))
        if (!TextHolding(window, text).empty()) return window;
    return nullptr;
}

// The names of the entries of a folder, sorted; empty when it does not exist.
inline std::vector<std::wstring> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

// A file's bytes; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& file) {
    std::string bytes;
    ReadFileBytes(file.wstring(), bytes);
    return bytes;
}
// Writes the file, and the folders above it that are missing.
inline void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    WriteFileBytes(file.wstring(), bytes);
}

}  // namespace package_test
