#include <windows.h>

#include <algorithm>
#include <optional>
#include <system_error>

#include "common/file_io.h"
#include "common/win32/full_path.h"
#include "common/win32/unique_handle.h"

namespace lyrics {

namespace {

std::error_code Error(DWORD code) {
    return std::error_code(static_cast<int>(code != 0 ? code : ERROR_GEN_FAILURE), std::system_category());
}

// A name such as "C:\app\COM1.m3u" is the device COM1 to the system: opened, a read may never
// return. The full path shows it before anything is opened.
bool NamesDevice(const std::wstring& path) {
    const std::optional<std::wstring> full = FullPath(path);
    return full && full->starts_with(L"\\\\.\\");
}

// Writes everything or gives the error code.
DWORD WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_DISK_FULL;
        bytes.remove_prefix(written);
    }
    return 0;
}

// Writes into a file just opened for writing and closes it; removes it when that failed.
DWORD WriteAndClose(UniqueFileHandle file, const std::wstring& path, std::string_view bytes) {
    DWORD error = WriteAll(file.get(), bytes);
    if (!CloseHandle(file.release()) && error == 0) error = GetLastError();
    if (error != 0) DeleteFileW(path.c_str());
    return error;
}

}  // namespace

Result<std::string> ReadFileBytes(const std::wstring& path, std::wstring_view what) {
    if (NamesDevice(path)) return NotAFileFailure(what, path);
    const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileFailure(what, path, L"opened", Error(GetLastError()));
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return NotAFileFailure(what, path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return FileFailure(what, path, L"read", Error(GetLastError()));
    return ReadInChunks(
        static_cast<std::uint64_t>(size.QuadPart),
        [&](char* buffer, std::size_t room) -> Result<std::size_t> {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, static_cast<DWORD>(room), &got, nullptr))
                return FileFailure(what, path, L"read", Error(GetLastError()));
            return static_cast<std::size_t>(got);
        },
        what, path);
}

Status WriteFileBytes(const std::wstring& path, std::string_view bytes, std::wstring_view what) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileFailure(what, path, L"created", Error(GetLastError()));
    if (const DWORD error = WriteAndClose(std::move(file), path, bytes); error != 0)
        return FileFailure(what, path, L"written", Error(error));
    return Status();
}

Result<NewFile> WriteNewFile(const std::wstring& path, std::string_view bytes, std::wstring_view what) {
    // CREATE_NEW: the name must be free; a link under it counts as taken rather than being followed.
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = GetLastError();
        // A folder under the name is no earlier list to keep: the list cannot go there, and says so.
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
            return FileFailure(what, path, L"created", Error(ERROR_ACCESS_DENIED));
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS || attributes != INVALID_FILE_ATTRIBUTES)
            return NewFile::NameTaken;
        return FileFailure(what, path, L"created", Error(code));
    }
    if (const DWORD error = WriteAndClose(std::move(file), path, bytes); error != 0)
        return FileFailure(what, path, L"written", Error(error));
    return NewFile::Written;
}

}  // namespace lyrics
