#include "orlisk/win32/file_system_search.h"

#include <windows.h>

#include <string>

namespace lyrics::orlisk::win32 {

namespace {

// A search handle fails as INVALID_HANDLE_VALUE, not null, and closes with FindClose.
class UniqueFindHandle {
public:
    explicit UniqueFindHandle(HANDLE find) noexcept : find_(find) {}
    UniqueFindHandle(const UniqueFindHandle&) = delete;
    UniqueFindHandle& operator=(const UniqueFindHandle&) = delete;
    ~UniqueFindHandle() {
        if (find_ != INVALID_HANDLE_VALUE) ::FindClose(find_);
    }
    explicit operator bool() const noexcept { return find_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE find_;
};

}  // namespace

bool FileSystemSearch::FindsEntry(std::wstring_view pattern) {
    if (pattern.empty()) return false;
    const std::wstring text(pattern);
    WIN32_FIND_DATAW entry{};
    const UniqueFindHandle find(::FindFirstFileW(text.c_str(), &entry));
    return static_cast<bool>(find);
}

}  // namespace lyrics::orlisk::win32
