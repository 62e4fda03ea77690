#include "match/unmatch_list.h"

#include <cstdio>

#include "common/file_io.h"
#include "common/path_text.h"
#include "match/list_encoding.h"

namespace lyrics::match {

namespace {

constexpr std::wstring_view kLineEnd = L"\r\n";
constexpr int kMaxCopies = 9999;

// The list as text, for showing and testing.
class ListWriter {
public:
    void WriteLine(std::wstring_view text) {
        text_ += text;
        text_ += kLineEnd;
    }
    void WriteBlankLines(int count) {
        for (int i = 0; i < count; ++i) text_ += kLineEnd;
    }
    std::wstring Take() { return std::move(text_); }

private:
    std::wstring text_;
};

// Returns how many lines it wrote.
template <typename Writer>
std::int64_t WriteSlots(Writer& list, const std::vector<std::wstring>& slots) {
    std::int64_t lines = 0;
    for (const std::wstring& slot : slots) {
        if (slot.empty()) continue;
        list.WriteLine(slot);
        ++lines;
    }
    return lines;
}

std::size_t SlotCharacters(const std::vector<std::wstring>& slots) {
    std::size_t characters = 0;
    for (const std::wstring& slot : slots) characters += slot.empty() ? 0 : slot.size() + kLineEnd.size();
    return characters;
}

std::wstring Decimal(std::int64_t value) { return std::to_wstring(value); }

std::wstring TwoDigits(int value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%02d", value);
    return text;
}

struct Listed {
    std::int64_t titles = 0;
    std::int64_t files = 0;
};

template <typename Writer>
Listed WriteListItems(Writer& list, const UnmatchListContent& content) {
    Listed listed;
    const bool allTitlesMatched = content.matchOutcome.allTitles;
    const bool allFilesMatched = content.matchOutcome.allFiles;
    if (allTitlesMatched) {
        list.WriteLine(L"All Playlist titles have matching file names!");
    } else {
        list.WriteLine(L"Playlist titles which DO NOT have matching file name...");
        list.WriteBlankLines(1);
    }
    list.WriteLine(L"Playlist Name = \"" + DisplayPath(content.playlistPath) + L"\" with " + Decimal(content.titleCount) +
                   L" titles.");
    const PlayingTime& time = content.playingTime;
    list.WriteLine(L"Playlist Length = " + Decimal(time.hours) + L":" + Decimal(time.minutes) + L":" + Decimal(time.seconds) +
                   L" (hh:mm:ss)");
    list.WriteBlankLines(1);
    listed.titles = WriteSlots(list, content.playlistTitles);
    list.WriteBlankLines(2);
    if (allFilesMatched) {
        list.WriteLine(L"All Files have matching Playlist titles!");
    } else {
        list.WriteLine(L"Files which DO NOT have matching Playlist titles...");
        list.WriteBlankLines(1);
    }
    list.WriteLine(L"Lyrics Folder = \"" + DisplayPath(content.lyricsFolder) + L"\" with " + Decimal(content.textFileCount) +
                   L" text files.");
    list.WriteBlankLines(1);
    listed.files = WriteSlots(list, content.lyricsFileNames);
    return listed;
}

}  // namespace

PlayingTime SplitPlayingTime(std::int32_t totalSeconds) {
    std::int64_t milliseconds = static_cast<std::int64_t>(totalSeconds) * 1000;
    const std::int64_t days = milliseconds / 86'400'000;
    milliseconds %= 86'400'000;
    const std::int64_t hours = milliseconds / 3'600'000;
    milliseconds %= 3'600'000;
    const std::int64_t minutes = milliseconds / 60'000;
    milliseconds %= 60'000;
    const std::int64_t seconds = milliseconds / 1'000;
    return PlayingTime{days * 24 + hours, static_cast<std::int32_t>(minutes), static_cast<std::int32_t>(seconds)};
}

std::wstring ComposeUnmatchList(const UnmatchListContent& content) {
    ListWriter list;
    WriteListItems(list, content);
    return list.Take();
}

std::wstring UnmatchListName(const LocalTime& time, int copy) {
    std::wstring name = L"UnMatch " + TwoDigits(time.day) + L"-" + TwoDigits(time.month) + L"-" + std::to_wstring(time.year) +
                        L" " + TwoDigits(time.hour) + L"." + TwoDigits(time.minute) + L"." + TwoDigits(time.second);
    if (copy > 1) name += L" (" + std::to_wstring(copy) + L")";
    return name + L".txt";
}

Result<WrittenUnmatchList> WriteUnmatchList(std::wstring_view reportFolder, const LocalTime& time,
                                            const UnmatchListContent& content) {
    WrittenUnmatchList written;
    const std::size_t characters = SlotCharacters(content.playlistTitles) + SlotCharacters(content.lyricsFileNames) +
                                   content.playlistPath.size() + content.lyricsFolder.size() + 512;
    const std::string bytes = EncodeList(characters, [&](ListBytes& list) {
        const Listed listed = WriteListItems(list, content);
        written.listedTitles = listed.titles;
        written.listedFiles = listed.files;
    });
    // A list already under the name, from a run in the same second, is the user's: the new one takes
    // the next free "(n)" instead of replacing it.
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        written.reportPath = JoinPath(reportFolder, UnmatchListName(time, copy));
        const Result<NewFile> saved = WriteNewFile(written.reportPath, bytes, L"unmatch list");
        if (!saved) return saved.failure();
        if (*saved == NewFile::Written) return written;
    }
    return Failure{L"The unmatch list could not be created in \"" + DisplayPath(reportFolder) + L"\": \"" +
                   DisplayPath(UnmatchListName(time, 1)) + L"\" and its " + std::to_wstring(kMaxCopies - 1) +
                   L" numbered names are all taken."};
}

std::wstring UnmatchListPrompt(std::wstring_view reportPath) {
    return L"A list has been created in \"" + DisplayPath(reportPath) + L"\"\r\n\r\nDo you want to open the list now?";
}

}  // namespace lyrics::match
