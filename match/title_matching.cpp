#include "title_matching.h"

#include <algorithm>

#include "common/folder_listing.h"
#include "common/lower_case.h"
#include "free_name_index.h"

namespace lyrics {

namespace {

bool AllBlank(const std::vector<std::wstring>& slots) {
    return std::all_of(slots.begin(), slots.end(), [](const std::wstring& slot) { return slot.empty(); });
}

// Titles in playlist order, each taking the first free file name equal to it. The hashes are made
// first, so that each look-up's place in the index is fetched a few titles before it is needed.
void TakeMatches(std::vector<std::wstring>& playlistTitles, FreeNameIndex& index, std::vector<std::size_t>& takenNames) {
    constexpr std::size_t kAhead = 16;     // the place in the index
    constexpr std::size_t kNameAhead = 8;  // the name found there
    struct Pending {
        std::size_t title;
        std::size_t hash;
    };
    std::vector<Pending> pending;
    std::wstring lowered;  // one buffer for every title: no allocation per title
    for (std::size_t i = 0; i < playlistTitles.size(); ++i) {
        if (playlistTitles[i].empty()) continue;
        lowered.assign(playlistTitles[i]);
        LowerCaseInPlace(lowered);
        pending.push_back(Pending{i, FreeNameIndex::HashOf(lowered)});
    }
    for (std::size_t k = 0; k < pending.size(); ++k) {
        if (k + kAhead < pending.size()) index.Prefetch(pending[k + kAhead].hash);
        if (k + kNameAhead < pending.size()) index.PrefetchName(pending[k + kNameAhead].hash);
        std::wstring& title = playlistTitles[pending[k].title];
        const std::size_t slot = index.TakeFirstFree(title, pending[k].hash);
        if (slot == FreeNameIndex::kNone) continue;
        title.clear();
        takenNames.push_back(slot);
    }
}

}  // namespace

bool IsTextFileName(std::wstring_view name) {
    const std::wstring_view ending = name.substr(name.size() - std::min<std::size_t>(4, name.size()));
    // Plain ASCII endings, nearly every name, are told without asking the system: of ASCII
    // characters only "T" and "X" lower-case to "t" and "x", and nothing lower-cases to ".".
    if (std::all_of(ending.begin(), ending.end(), [](wchar_t c) { return c < 0x80; })) {
        return ending.size() == 4 && ending[0] == L'.' && (ending[1] | 0x20) == L't' && (ending[2] | 0x20) == L'x' &&
               (ending[3] | 0x20) == L't';
    }
    return LowerCase(ending) == L".txt";
}

LyricsFolder LyricsFolderFromNames(std::vector<std::wstring> fileNames) {
    // The names become the table in place: a text file's base name moves down to the next text
    // slot, never past its own place, and what is left behind is blanked.
    LyricsFolder folder;
    folder.lyricsFileNames = std::move(fileNames);
    std::vector<std::wstring>& slots = folder.lyricsFileNames;
    std::size_t textFiles = 0;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!IsTextFileName(slots[i])) continue;
        slots[i].resize(slots[i].size() - 4);
        if (textFiles != i) slots[textFiles] = std::move(slots[i]);
        ++textFiles;
    }
    for (std::size_t i = textFiles; i < slots.size(); ++i) slots[i] = std::wstring();
    folder.textFileCount = static_cast<std::int64_t>(textFiles);
    return folder;
}

Result<LyricsFolder> ListLyricsFolder(const std::wstring& folder) {
    Result<std::vector<std::wstring>> names = ListFolderFiles(folder);
    if (!names) return names.failure();
    return LyricsFolderFromNames(std::move(*names));
}

std::uint8_t MatchTitles(std::vector<std::wstring>& playlistTitles, std::vector<std::wstring>& lyricsFileNames) {
    std::vector<std::size_t> takenNames;  // blanked once the index, which reads the names, is done
    {
        FreeNameIndex index(lyricsFileNames);
        if (!index.Empty()) TakeMatches(playlistTitles, index, takenNames);
    }
    for (const std::size_t slot : takenNames) lyricsFileNames[slot].clear();
    std::uint8_t matchOutcome = 0;
    if (AllBlank(playlistTitles)) matchOutcome += 1;
    if (AllBlank(lyricsFileNames)) matchOutcome += 2;
    return matchOutcome;
}

}  // namespace lyrics
