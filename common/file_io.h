// Whole-file reads and writes with failures as values; the message names the file and the reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "common/byte_supply.h"
#include "common/result.h"

namespace lyrics {

// what: how the file is named in a message ("playlist", "unmatch list"). Only a regular file (on
// Windows a disk file) is read: a pipe, a device or a folder is refused before a byte is read, so
// that it can neither block nor run without end. A file too big for memory is a failure as well.
Result<std::string> ReadFileBytes(const std::wstring& path, std::wstring_view what);

// Creates the file or empties it, writes the bytes and closes it. A file that could not be written
// whole is removed again, so no half-written file is left behind.
Status WriteFileBytes(const std::wstring& path, std::string_view bytes, std::wstring_view what);

enum class NewFile { Written, NameTaken };

// Creates a file at path only when nothing is there yet, not even a link (which is never followed),
// and writes the bytes. NameTaken: a file or a link has the name and nothing was written; a folder
// under the name is a failure, since it holds no list to keep. A file this call
// created and could not write whole is removed; nothing else is ever removed.
Result<NewFile> WriteNewFile(const std::wstring& path, std::string_view bytes, std::wstring_view what);

// A file opened for reading a chunk at a time, for reads that need not hold the file whole. Only a
// regular file (on Windows a disk file) is opened, as ReadFileBytes says; failures name the file.
class FileReader final : public ByteSupply {
public:
    static Result<FileReader> Open(const std::wstring& path, std::wstring_view what);
    FileReader(FileReader&& other) noexcept;
    FileReader& operator=(FileReader&& other) noexcept;
    ~FileReader();

    // The size when opened.
    std::uint64_t Size() const noexcept { return size_; }
    Result<std::size_t> Read(char* buffer, std::size_t room) override;
    // A hole of a sparse file is skipped (where the system tells of holes).
    std::uint64_t SkipZeros(std::size_t unit) override;
    // Back to the first byte.
    Status Rewind();

private:
    struct Handle;  // the system's
    FileReader(std::unique_ptr<Handle> handle, std::uint64_t size, const std::wstring& path, std::wstring_view what);

    std::unique_ptr<Handle> handle_;
    std::uint64_t size_ = 0;
    std::wstring path_;
    std::wstring what_;
};

// The failure of an action on a file: The <what> "<path>" could not be <action>: <reason>.
Failure FileFailure(std::wstring_view what, const std::wstring& path, std::wstring_view action, const std::error_code& error);
// The failure of a file too big for memory, naming it.
Failure OutOfMemoryFailure(std::wstring_view what, const std::wstring& path);
// The failure of something at path that is no regular file.
Failure NotAFileFailure(std::wstring_view what, const std::wstring& path);

}  // namespace lyrics
