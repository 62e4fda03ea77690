#include "common/file_io.h"

#include <new>
#include <stdexcept>
#include <system_error>

#include "common/path_text.h"

namespace lyrics {

Result<std::string> ReadFileBytes(const std::wstring& path, std::wstring_view what) {
    Result<FileReader> file = FileReader::Open(path, what);
    if (!file) return file.failure();
    try {
        std::string bytes;
        if (file->Size() > bytes.max_size()) throw std::bad_alloc();
        bytes.reserve(static_cast<std::size_t>(file->Size()));
        char buffer[1 << 16];
        for (;;) {
            const Result<std::size_t> got = file->Read(buffer, sizeof buffer);
            if (!got) return got.failure();
            if (*got == 0) return bytes;
            bytes.append(buffer, *got);
        }
    } catch (const std::bad_alloc&) {
        return OutOfMemoryFailure(what, path);
    } catch (const std::length_error&) {
        return OutOfMemoryFailure(what, path);
    }
}

Failure FileFailure(std::wstring_view what, const std::wstring& path, std::wstring_view action, const std::error_code& error) {
    std::wstring message = L"The ";
    message += what;
    message += L" \"" + DisplayPath(path) + L"\" could not be ";
    message += action;
    message += L": " + ReasonText(error) + L".";
    return Failure{std::move(message)};
}

Failure OutOfMemoryFailure(std::wstring_view what, const std::wstring& path) {
    std::wstring message = L"The ";
    message += what;
    message += L" \"" + DisplayPath(path) + L"\" is too big to be read: there is not enough memory.";
    return Failure{std::move(message)};
}

Failure NotAFileFailure(std::wstring_view what, const std::wstring& path) {
    std::wstring message = L"\"" + DisplayPath(path) + L"\" is not a ";
    message += what;
    message += L" file: it is a device, a pipe or a folder, so it is not read.";
    return Failure{std::move(message)};
}

}  // namespace lyrics
