#include "common/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>

#include "common/file_io.h"
#include "common/path_text.h"
#include "common/posix/listing_order.h"
#include "common/text_run.h"

namespace lyrics {

namespace {

struct FolderCloser {
    void operator()(DIR* folder) const noexcept { closedir(folder); }
};
using FolderHandle = std::unique_ptr<DIR, FolderCloser>;

// A link counts as what it points to; a link that leads nowhere counts as a file.
bool IsSubfolder(DIR* folder, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat status {};
    return fstatat(dirfd(folder), entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

Result<std::vector<std::wstring>> ListFolderFiles(const std::wstring& folder) {
    const FolderHandle handle(opendir(PathFromText(folder).c_str()));
    const auto failed = [&folder](int error) {
        return FileFailure(L"lyrics folder", folder, L"listed",
                           std::error_code(error != 0 ? error : EIO, std::generic_category()));
    };
    if (!handle) return failed(errno);
    TextRun<char> names;  // as the system gives them: a big folder costs no allocation per name
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(handle.get());
        if (entry == nullptr) {
            if (errno != 0) return failed(errno);
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || IsSubfolder(handle.get(), *entry)) continue;
        names.Add(name);
    }
    return InListingOrder(names);
}

std::error_code LookUpFailure(const std::wstring& path) {
    struct stat status {};
    if (path.empty() || ::stat(PathFromText(path).c_str(), &status) == 0) return {};
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return std::error_code(errno, std::generic_category());
}

bool FolderExists(const std::wstring& path) {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::is_directory(PathFromText(path), error);
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    std::error_code error;
    const auto status = std::filesystem::status(PathFromText(path), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace lyrics
