#include "tests/package/install_support.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <system_error>

namespace package_test {

namespace {

// Releases a COM interface pointer when it goes.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    Interface* operator->() const noexcept { return pointer_; }
    Interface** put() noexcept { return &pointer_; }
    void** putVoid() noexcept { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::filesystem::path KnownFolder(const GUID& id) {
    PWSTR path = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

std::wstring ShortcutTarget(const std::filesystem::path& link) {
    ComPtr<IShellLinkW> shellLink;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.putVoid())))
        return {};
    ComPtr<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.putVoid())) || FAILED(file->Load(link.c_str(), STGM_READ)))
        return {};
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

std::vector<std::wstring> DescendantTexts(HWND window) {
    std::vector<std::wstring> texts;
    const auto collect = [](HWND child, LPARAM into) -> BOOL {
        reinterpret_cast<std::vector<std::wstring>*>(into)->push_back(lyrics::testing::WindowText(child));
        return TRUE;
    };
    ::EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

HWND WindowShowing(const wchar_t* className, DWORD processId, const std::wstring& text) {
    for (HWND window : TopLevelWindows(className, processId))
        for (const std::wstring& shown : DescendantTexts(window))
            if (shown.find(text) != std::wstring::npos) return window;
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

}  // namespace package_test
