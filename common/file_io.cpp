#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "common/path_text.h"

namespace lyrics {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileHandle OpenFile(const std::wstring& path, bool forWriting) {
#ifdef _WIN32
    return FileHandle(_wfopen(path.c_str(), forWriting ? L"wb" : L"rb"));
#else
    return FileHandle(std::fopen(PathFromText(path).c_str(), forWriting ? "wb" : "rb"));
#endif
}

Failure FileFailure(std::wstring_view what, const std::wstring& path, std::wstring_view action, int error) {
    std::wstring message = L"The ";
    message += what;
    message += L" \"" + path + L"\" could not be ";
    message += action;
    message += L": " + ReasonText(std::error_code(error != 0 ? error : EIO, std::generic_category())) + L".";
    return Failure{std::move(message)};
}

}  // namespace

Result<std::string> ReadFileBytes(const std::wstring& path, std::wstring_view what) {
    errno = 0;
    FileHandle file = OpenFile(path, false);
    if (!file) return FileFailure(what, path, L"opened", errno);
    std::string bytes;
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(PathFromText(path), sizeError);
    if (!sizeError) bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, got);
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file.get())) return FileFailure(what, path, L"read", errno);
    return bytes;
}

Status WriteFileBytes(const std::wstring& path, std::string_view bytes, std::wstring_view what) {
    errno = 0;
    FileHandle file = OpenFile(path, true);
    if (!file) return FileFailure(what, path, L"created", errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    int error = errno;
    const bool closed = std::fclose(file.release()) == 0;  // a full disk may only show at the last flush
    if (written && closed) return Status();
    if (written) error = errno;
    std::error_code ignored;
    std::filesystem::remove(PathFromText(path), ignored);
    return FileFailure(what, path, L"written", error);
}

}  // namespace lyrics
