#include "tests/driver/file_bytes.h"

#include <windows.h>

#include <system_error>

#include "common/win32/unique_handle.h"

namespace lyrics::testing {

namespace {

std::string CodePageBytes(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
}

std::string AnsiBytes(const std::wstring& text) { return CodePageBytes(CP_ACP, text); }

std::string Utf8Bytes(const std::wstring& text) { return CodePageBytes(CP_UTF8, text); }

std::string Utf16LeBytes(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search.get(), &found));
    return names;
}

void DeleteFilesMatching(const std::wstring& folder, const std::wstring& pattern) {
    for (const std::wstring& name : FilesMatching(folder, pattern)) ::DeleteFileW((folder + L"\\" + name).c_str());
}

ScratchFolder::ScratchFolder(const std::wstring& prefix) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::filesystem::path(temp) /
              (prefix + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64()));
    std::filesystem::create_directories(folder_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

bool ScratchFolder::AddFile(const std::wstring& name, const std::string& bytes) const {
    return WriteFileBytes((folder_ / name).wstring(), bytes);
}

void ScratchFolder::AddFolder(const std::wstring& name) const { std::filesystem::create_directories(folder_ / name); }

}  // namespace lyrics::testing
