#include "title_matching.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "common/folder_listing.h"
#include "common/lower_case.h"

namespace lyrics {

namespace {

bool AllBlank(const std::vector<std::wstring>& slots) {
    return std::all_of(slots.begin(), slots.end(), [](const std::wstring& slot) { return slot.empty(); });
}

} // namespace

bool IsTextFileName(std::wstring_view name) {
    return LowerCase(name.substr(name.size() - std::min<std::size_t>(4, name.size()))) == L".txt";
}

LyricsFolder LyricsFolderFromNames(const std::vector<std::wstring>& fileNames) {
    LyricsFolder folder;
    folder.lyricsFileNames.resize(fileNames.size());
    for (const std::wstring& name : fileNames) {
        if (!IsTextFileName(name)) continue;
        folder.lyricsFileNames[static_cast<std::size_t>(folder.textFileCount)] = name.substr(0, name.size() - 4);
        ++folder.textFileCount;
    }
    return folder;
}

Result<LyricsFolder> ListLyricsFolder(const std::wstring& folder) {
    Result<std::vector<std::wstring>> names = ListFolderFiles(folder);
    if (!names) return names.failure();
    return LyricsFolderFromNames(*names);
}

std::uint8_t MatchTitles(std::vector<std::wstring>& playlistTitles, std::vector<std::wstring>& lyricsFileNames) {
    // Free slots of each lower-cased name, chained in listing order: firstFree[name] is the first,
    // nextFree[slot] the one after it.
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::unordered_map<std::wstring, std::size_t> firstFree;
    firstFree.reserve(lyricsFileNames.size());
    std::vector<std::size_t> nextFree(lyricsFileNames.size(), kNone);
    for (std::size_t slot = lyricsFileNames.size(); slot-- > 0;) {
        if (lyricsFileNames[slot].empty()) continue;
        auto [entry, inserted] = firstFree.try_emplace(LowerCase(lyricsFileNames[slot]), slot);
        if (!inserted) {
            nextFree[slot] = entry->second;
            entry->second = slot;
        }
    }
    if (!firstFree.empty()) {
        for (std::wstring& title : playlistTitles) {
            if (title.empty()) continue;
            const auto entry = firstFree.find(LowerCase(title));
            if (entry == firstFree.end() || entry->second == kNone) continue;
            const std::size_t slot = entry->second;
            entry->second = nextFree[slot];
            title.clear();
            lyricsFileNames[slot].clear();
        }
    }
    std::uint8_t matchOutcome = 0;
    if (AllBlank(playlistTitles)) matchOutcome += 1;
    if (AllBlank(lyricsFileNames)) matchOutcome += 2;
    return matchOutcome;
}

} // namespace lyrics
