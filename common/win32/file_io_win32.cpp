#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <memory>
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

struct FileReader::Handle {
    UniqueFileHandle file;
    bool sparse = false;  // only a file marked sparse has holes
};

FileReader::FileReader(std::unique_ptr<Handle> handle, std::uint64_t size, const std::wstring& path, std::wstring_view what)
    : handle_(std::move(handle)), size_(size), path_(path), what_(what) {}
FileReader::FileReader(FileReader&& other) noexcept = default;
FileReader& FileReader::operator=(FileReader&& other) noexcept = default;
FileReader::~FileReader() = default;

Result<FileReader> FileReader::Open(const std::wstring& path, std::wstring_view what) {
    if (NamesDevice(path)) return NotAFileFailure(what, path);
    auto handle = std::make_unique<Handle>(
        Handle{UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))});
    if (!handle->file) return FileFailure(what, path, L"opened", Error(GetLastError()));
    if (GetFileType(handle->file.get()) != FILE_TYPE_DISK) return NotAFileFailure(what, path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle->file.get(), &size)) return FileFailure(what, path, L"read", Error(GetLastError()));
    BY_HANDLE_FILE_INFORMATION information{};
    handle->sparse = GetFileInformationByHandle(handle->file.get(), &information) &&
                     (information.dwFileAttributes & FILE_ATTRIBUTE_SPARSE_FILE) != 0;
    return FileReader(std::move(handle), static_cast<std::uint64_t>(size.QuadPart), path, what);
}

Result<std::size_t> FileReader::Read(char* buffer, std::size_t room) {
    DWORD got = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
    if (!ReadFile(handle_->file.get(), buffer, piece, &got, nullptr))
        return FileFailure(what_, path_, L"read", Error(GetLastError()));
    return static_cast<std::size_t>(got);
}

std::uint64_t FileReader::SkipZeros(std::size_t unit) {
    // The first allocated range after here ends the zeros.
    if (!handle_->sparse) return 0;
    const HANDLE file = handle_->file.get();
    LARGE_INTEGER here{};
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, &here, FILE_CURRENT) || static_cast<std::uint64_t>(here.QuadPart) >= size_)
        return 0;
    FILE_ALLOCATED_RANGE_BUFFER query{};
    query.FileOffset = here;
    query.Length.QuadPart = static_cast<LONGLONG>(size_) - here.QuadPart;
    FILE_ALLOCATED_RANGE_BUFFER range{};
    DWORD returned = 0;
    if (!DeviceIoControl(file, FSCTL_QUERY_ALLOCATED_RANGES, &query, sizeof query, &range, sizeof range, &returned, nullptr) &&
        GetLastError() != ERROR_MORE_DATA)
        return 0;
    const LONGLONG data = returned >= sizeof range ? range.FileOffset.QuadPart : static_cast<LONGLONG>(size_);
    if (data <= here.QuadPart) return 0;
    const std::uint64_t skipped = static_cast<std::uint64_t>(data - here.QuadPart) / unit * unit;
    LARGE_INTEGER next{};
    next.QuadPart = here.QuadPart + static_cast<LONGLONG>(skipped);
    if (!SetFilePointerEx(file, next, nullptr, FILE_BEGIN)) return 0;
    return skipped;
}

Status FileReader::Rewind() {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle_->file.get(), start, nullptr, FILE_BEGIN))
        return FileFailure(what_, path_, L"read", Error(GetLastError()));
    return Status();
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
