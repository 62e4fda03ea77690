#include "tests/package/install_support.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <system_error>

#include "tests/driver/owned_objects.h"

namespace package_test {

std::filesystem::path KnownFolder(const GUID& id) {
    PWSTR path = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

std::wstring ShortcutTarget(const std::filesystem::path& link) {
    ComPtr<IShellLinkW> shellLink;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.put()))) return {};
    ComPtr<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.put())) || FAILED(file->Load(link.c_str(), STGM_READ))) return {};
    wchar_t target[MAX_PATH] = {};
    if (FAILED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return {};
    return target;
}

std::wstring FileVersion(const std::filesystem::path& program) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(program.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info) return {};
    return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionLS));
}

std::wstring TextHolding(HWND window, const std::wstring& part) {
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

HWND WindowShowing(const wchar_t* className, DWORD processId, const std::wstring& text) {
    for (HWND window : TopLevelWindows(className, processId))
        if (!TextHolding(window, text).empty()) return window;
    return nullptr;
}

HeldProgramFile::HeldProgramFile(const std::filesystem::path& program)
    : file_(::CreateFileW(program.c_str(), GENERIC_READ | GENERIC_EXECUTE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, 0, nullptr)) {
    if (file_) section_.reset(::CreateFileMappingW(file_.get(), nullptr, PAGE_EXECUTE_READ | SEC_IMAGE, 0, 0, nullptr));
}

std::vector<std::wstring> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

std::string FileBytes(const std::filesystem::path& file) {
    std::string bytes;
    ReadFileBytes(file.wstring(), bytes);
    return bytes;
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    WriteFileBytes(file.wstring(), bytes);
}

}  // namespace package_test
