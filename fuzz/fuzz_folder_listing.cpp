// ListFolderFiles must give a folder's files in listing order: by upper-case form, then by name,
// whatever the bytes of the names. The fuzzer makes the files in a folder of its own.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/folder_listing.h"
#include "common/lower_case.h"
#include "common/path_text.h"
#include "common/text_codec.h"

namespace {

// Bytes that make long shared beginnings, case pairs, accented letters as UTF-8 and as lone bytes.
const std::string kPieces[] = {"a",
                               "A",
                               "b",
                               "B",
                               "The ",
                               "THE ",
                               "\xC3\xA9",
                               "\xC3\x89",
                               "\xE9",
                               "\xC9",
                               "\xCF\x83",
                               "\xCE\xA3",
                               "\xF0\x9F\x98\x80",
                               "\xEF\xBF\xBF",
                               " - ",
                               ".txt",
                               "\xE1\xBA\x9E",
                               "\xC3\x9F",
                               "\xFF",
                               "z"};

// libFuzzer ends a timed run with _Exit, so a run cannot remove its folder; the next run removes
// the folders of runs that are over.
void RemoveFinishedRunFolders(const std::filesystem::path& temp) {
    const std::string prefix = "lyrics-fuzz-listing-";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(temp, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            std::filesystem::remove_all(entry.path(), error);
    }
}

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        RemoveFinishedRunFolders(temp);
        std::filesystem::path made = temp / ("lyrics-fuzz-listing-" + std::to_string(getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

void Empty(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) std::filesystem::remove(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& folder = Folder();
    Empty(folder);
    std::set<std::string> made;
    std::string name;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0xFF) {  // 0xFF ends a name
            if (!name.empty() && made.count(name) == 0) {
                const int file = ::open((folder / name).c_str(), O_CREAT | O_WRONLY, 0600);
                if (file >= 0) {  // a name longer than the file system allows is not made
                    ::close(file);
                    made.insert(name);
                }
            }
            name.clear();
            if (made.size() >= 64) break;
            continue;
        }
        name += kPieces[data[i] % std::size(kPieces)];
    }

    std::vector<std::pair<std::wstring, std::wstring>> expected;
    for (const std::string& bytes : made) {
        std::wstring text = lyrics::DecodeUtf8Lenient(bytes);
        expected.emplace_back(lyrics::UpperCase(text), std::move(text));
    }
    std::sort(expected.begin(), expected.end());

    const lyrics::Result<std::vector<std::wstring>> listed = lyrics::ListFolderFiles(lyrics::TextFromPath(folder));
    bool same = listed && listed->size() == expected.size();
    for (std::size_t i = 0; same && i < expected.size(); ++i) same = (*listed)[i] == expected[i].second;
    if (!same) {
        std::fprintf(stderr, "ListFolderFiles is not in listing order (%zu files)\n", expected.size());
        std::abort();
    }
    return 0;
}
