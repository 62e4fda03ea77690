// Files as a test writes and reads them: exact bytes, text in the encodings programs write, the
// names in a folder, and a scratch folder of the test's own.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/win32/unique_handle.h"

namespace lyrics::testing {

// The whole file, exactly these bytes; false when it could not be written.
inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
// The whole file; false when it could not be read.
inline bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
}

// Text in a code page: the ANSI one (as Windows programs write 8-bit text files) or UTF-8.
inline std::string CodePageBytes(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}
inline std::string AnsiBytes(const std::wstring& text) { return CodePageBytes(CP_ACP, text); }
inline std::string Utf8Bytes(const std::wstring& text) { return CodePageBytes(CP_UTF8, text); }
// Text in UTF-16 little-endian without a byte-order mark.
inline std::string Utf16LeBytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));  // Windows' wchar_t
}

// Names (without folder) of the files in folder that match pattern ("UnMatch *.txt").
inline std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search.get(), &found));
    return names;
}
// Deletes the files in folder that match pattern.
inline void DeleteFilesMatching(const std::wstring& folder, const std::wstring& pattern) {
    for (const std::wstring& name : FilesMatching(folder, pattern)) ::DeleteFileW((folder + L"\\" + name).c_str());
}

// A fresh folder under the temporary folder, named after prefix, removed with all it holds when
// the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& prefix) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) /
                  (prefix + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64()));
        std::filesystem::create_directories(folder_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The folder as a Windows path, without a trailing "\".
    std::wstring Path() const { return folder_.wstring(); }
    // Writes a file of the given bytes in the folder; false when it could not.
    bool AddFile(const std::wstring& name, const std::string& bytes) const {
        return WriteFileBytes((folder_ / name).wstring(), bytes);
    }
    // A folder inside, named as the caller says ("Folder Song.txt").
    void AddFolder(const std::wstring& name) const { std::filesystem::create_directories(folder_ / name); }

private:
    std::filesystem::path folder_;
};

}  // namespace lyrics::testing
