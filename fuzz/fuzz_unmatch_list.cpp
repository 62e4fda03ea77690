// WriteUnmatchList on arbitrary titles and names: the file it writes is new, holds every non-blank
// title and name once per line, and a second list in the same second never replaces the first.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/path_text.h"
#include "common/text_codec.h"
#include "match/unmatch_list.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "WriteUnmatchList: %s\n", what);
        std::abort();
    }
}

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path made = std::filesystem::temp_directory_path() / ("fuzz-unmatch-" + std::to_string(getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

// Lines of the input, read as UTF-8 leniently; an empty line is a blank slot. A line starting
// "\x01" goes to the names, the others to the titles.
void Split(std::string_view bytes, std::vector<std::wstring>& titles, std::vector<std::wstring>& names) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        const bool name = !line.empty() && line.front() == '\x01';
        if (name) line.remove_prefix(1);
        std::wstring text = lyrics::DecodeUtf8Lenient(line);
        for (wchar_t& c : text) {
            if (c == L'\r') c = L' ';  // a slot is one line
        }
        (name ? names : titles).push_back(std::move(text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<std::wstring> titles, names;
    Split(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), titles, names);
    std::int64_t nonBlankTitles = 0, nonBlankNames = 0;
    for (const std::wstring& title : titles) nonBlankTitles += title.empty() ? 0 : 1;
    for (const std::wstring& name : names) nonBlankNames += name.empty() ? 0 : 1;
    const lyrics::match::UnmatchListContent content{
        titles,   names,    lyrics::match::MatchOutcome{(data[0] & 1) != 0, (data[0] & 2) != 0},
        7,        3,        lyrics::match::SplitPlayingTime(static_cast<std::int32_t>(data[0]) * 997),
        L"p.m3u", L"lyrics"};
    const lyrics::LocalTime second{2026, 1 + data[0] % 12, 1 + data[0] % 28, 1, 2, 3};
    const std::wstring folder = lyrics::TextFromPath(Folder());
    const auto first = lyrics::match::WriteUnmatchList(folder, second, content);
    Check(first.ok(), "the list could not be written");
    Check(first->listedTitles == nonBlankTitles && first->listedFiles == nonBlankNames, "counts not those of the slots");
    const auto again = lyrics::match::WriteUnmatchList(folder, second, content);
    Check(again.ok() && again->reportPath != first->reportPath, "a second list replaced the first");
    std::error_code error;
    const auto size1 = std::filesystem::file_size(lyrics::PathFromText(first->reportPath), error);
    Check(!error && size1 == std::filesystem::file_size(lyrics::PathFromText(again->reportPath)), "the two lists differ");
    std::filesystem::remove(lyrics::PathFromText(first->reportPath));
    std::filesystem::remove(lyrics::PathFromText(again->reportPath));
    return 0;
}
