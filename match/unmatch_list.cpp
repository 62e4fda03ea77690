#include "unmatch_list.h"

#include <cstdio>

#include "common/file_io.h"
#include "common/path_text.h"
#include "list_encoding.h"

namespace lyrics {

namespace {

constexpr std::wstring_view kLineEnd = L"\r\n";

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

template <typename Writer>
void WriteSlots(Writer& list, const std::vector<std::wstring>& slots) {
    for (const std::wstring& slot : slots) {
        if (!slot.empty()) list.WriteLine(slot);
    }
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

template <typename Writer>
void WriteListItems(Writer& list, const UnmatchListContent& content) {
    const bool allTitlesMatched = (content.matchOutcome & 1) != 0;
    const bool allFilesMatched = (content.matchOutcome & 2) != 0;
    if (allTitlesMatched) {
        list.WriteLine(L"All Playlist titles have matching file names!");
    } else {
        list.WriteLine(L"Playlist titles which DO NOT have matching file name...");
        list.WriteBlankLines(1);
    }
    list.WriteLine(L"Playlist Name = \"" + std::wstring(content.playlistPath) + L"\" with " + Decimal(content.titleCount) +
                   L" titles.");
    const PlayingTime& time = content.playingTime;
    list.WriteLine(L"Playlist Length = " + Decimal(time.hours) + L":" + Decimal(time.minutes) + L":" + Decimal(time.seconds) +
                   L" (hh:mm:ss)");
    list.WriteBlankLines(1);
    WriteSlots(list, content.playlistTitles);
    list.WriteBlankLines(2);
    if (allFilesMatched) {
        list.WriteLine(L"All Files have matching Playlist titles!");
    } else {
        list.WriteLine(L"Files which DO NOT have matching Playlist titles...");
        list.WriteBlankLines(1);
    }
    list.WriteLine(L"Lyrics Folder = \"" + std::wstring(content.lyricsFolder) + L"\" with " + Decimal(content.textFileCount) +
                   L" text files.");
    list.WriteBlankLines(1);
    WriteSlots(list, content.lyricsFileNames);
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

std::wstring UnmatchListName(const LocalTime& time) {
    return L"UnMatch " + TwoDigits(time.day) + L"-" + TwoDigits(time.month) + L"-" + std::to_wstring(time.year) + L" " +
           TwoDigits(time.hour) + L"." + TwoDigits(time.minute) + L"." + TwoDigits(time.second) + L".txt";
}

Result<std::wstring> WriteUnmatchList(std::wstring_view reportFolder, const LocalTime& time, const UnmatchListContent& content) {
    std::wstring reportPath = JoinPath(reportFolder, UnmatchListName(time));
    const std::size_t characters = SlotCharacters(content.playlistTitles) + SlotCharacters(content.lyricsFileNames) +
                                   content.playlistPath.size() + content.lyricsFolder.size() + 512;
    const std::string bytes = match::EncodeList(characters, [&](match::ListBytes& list) { WriteListItems(list, content); });
    if (Result<bool> written = WriteFileBytes(reportPath, bytes, L"unmatch list"); !written) return written.failure();
    return reportPath;
}

std::wstring UnmatchListPrompt(std::wstring_view reportPath) {
    return L"A list has been created in \"" + std::wstring(reportPath) + L"\"\r\n\r\nDo you want to open the list now?";
}

}  // namespace lyrics
