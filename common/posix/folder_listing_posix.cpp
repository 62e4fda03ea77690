#include "../folder_listing.h"

#include <algorithm>
#include <filesystem>

#include "../lower_case.h"
#include "../path_text.h"

namespace lyrics {

Result<std::vector<std::wstring>> ListFolderFiles(const std::wstring& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator it(PathFromText(folder), error);
    if (error) return Failure{L"The lyrics folder \"" + folder + L"\" could not be listed: " + ReasonText(error) + L"."};

    std::vector<std::pair<std::wstring, std::wstring>> keyed;  // (upper-case form, name)
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        std::wstring name = TextFromPath(it->path().filename());
        keyed.emplace_back(UpperCase(name), std::move(name));
    }
    if (error) return Failure{L"The lyrics folder \"" + folder + L"\" could not be listed: " + ReasonText(error) + L"."};

    std::sort(keyed.begin(), keyed.end());
    std::vector<std::wstring> names;
    names.reserve(keyed.size());
    for (auto& [upper, name] : keyed) names.push_back(std::move(name));
    return names;
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

} // namespace lyrics
