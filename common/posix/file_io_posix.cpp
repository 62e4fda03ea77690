#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <system_error>

#include "common/file_io.h"
#include "common/path_text.h"

namespace lyrics {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const noexcept { return fd_; }
    explicit operator bool() const noexcept { return fd_ >= 0; }
    // Closes now, so that a failure of the last write-back can be seen; the error number or 0.
    int Close() noexcept {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

std::error_code Error(int number) { return std::error_code(number != 0 ? number : EIO, std::generic_category()); }

// Writes everything or gives the error number.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

struct FileReader::Handle {
    FileDescriptor file;
};

FileReader::FileReader(std::unique_ptr<Handle> handle, std::uint64_t size, const std::wstring& path, std::wstring_view what)
    : handle_(std::move(handle)), size_(size), path_(path), what_(what) {}
FileReader::FileReader(FileReader&& other) noexcept = default;
FileReader& FileReader::operator=(FileReader&& other) noexcept = default;
FileReader::~FileReader() = default;

Result<FileReader> FileReader::Open(const std::wstring& path, std::wstring_view what) {
    // Without O_NONBLOCK, opening a pipe that no one writes to would wait for ever.
    std::unique_ptr<Handle> handle(
        new Handle{FileDescriptor(::open(PathFromText(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY))});
    if (!handle->file) return FileFailure(what, path, L"opened", Error(errno));
    struct stat status {};
    if (::fstat(handle->file.get(), &status) != 0) return FileFailure(what, path, L"read", Error(errno));
    if (!S_ISREG(status.st_mode)) return NotAFileFailure(what, path);
    return FileReader(std::move(handle), static_cast<std::uint64_t>(status.st_size), path, what);
}

Result<std::size_t> FileReader::Read(char* buffer, std::size_t room) {
    for (;;) {
        const ssize_t got = ::read(handle_->file.get(), buffer, room);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) return FileFailure(what_, path_, L"read", Error(errno));
    }
}

std::uint64_t FileReader::SkipZeros(std::size_t unit) {
    const int fd = handle_->file.get();
    const off_t here = ::lseek(fd, 0, SEEK_CUR);
    if (here < 0) return 0;
    off_t data = ::lseek(fd, here, SEEK_DATA);
    if (data < 0 && errno == ENXIO) data = ::lseek(fd, 0, SEEK_END);  // a hole up to the end
    if (data < here) data = here;
    const std::uint64_t skipped = static_cast<std::uint64_t>(data - here) / unit * unit;
    if (::lseek(fd, here + static_cast<off_t>(skipped), SEEK_SET) < 0) return 0;
    return skipped;
}

Status FileReader::Rewind() {
    if (::lseek(handle_->file.get(), 0, SEEK_SET) != 0) return FileFailure(what_, path_, L"read", Error(errno));
    return Status();
}

Status WriteFileBytes(const std::wstring& path, std::string_view bytes, std::wstring_view what) {
    FileDescriptor file(::open(PathFromText(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file) return FileFailure(what, path, L"created", Error(errno));
    int error = WriteAll(file.get(), bytes);
    const int closeError = file.Close();  // a full disk may only show at the last write-back
    if (error == 0) error = closeError;
    if (error == 0) return Status();
    ::unlink(PathFromText(path).c_str());
    return FileFailure(what, path, L"written", Error(error));
}

Result<NewFile> WriteNewFile(const std::wstring& path, std::string_view bytes, std::wstring_view what) {
    // O_EXCL: the name must be free, and a link under it counts as taken rather than being followed.
    FileDescriptor file(::open(PathFromText(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file) {
        if (errno == EEXIST) {
            // A folder under the name is no earlier list to keep: the list cannot go there, and says so.
            struct stat status {};
            if (::lstat(PathFromText(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode))
                return FileFailure(what, path, L"created", Error(EISDIR));
            return NewFile::NameTaken;
        }
        return FileFailure(what, path, L"created", Error(errno));
    }
    int error = WriteAll(file.get(), bytes);
    const int closeError = file.Close();
    if (error == 0) error = closeError;
    if (error == 0) return NewFile::Written;
    ::unlink(PathFromText(path).c_str());  // this call created it
    return FileFailure(what, path, L"written", Error(error));
}

}  // namespace lyrics
