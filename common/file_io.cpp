#include "common/file_io.h"

#include <system_error>

#include "common/path_text.h"

namespace lyrics {

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
