// Helpers shared by the match tests: the four outcomes of matching by name and how a failed
// expectation prints one; the scratch folders of a match run and of its list (a lyrics folder and a
// folder for the lists inside one scratch folder), a run's request over them, and lists written there.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "common/text_codec.h"
#include "match/match_outcome.h"
#include "match/match_run.h"
#include "match/unmatch_list.h"
#include "tests/test_support.h"

namespace lyrics::match {

inline constexpr MatchOutcome kNeitherAll{.allTitles = false, .allFiles = false};
inline constexpr MatchOutcome kAllTitlesOnly{.allTitles = true, .allFiles = false};
inline constexpr MatchOutcome kAllFilesOnly{.allTitles = false, .allFiles = true};
inline constexpr MatchOutcome kBothAll{.allTitles = true, .allFiles = true};

inline void PrintTo(const MatchOutcome& outcome, std::ostream* out) {
    *out << "{allTitles: " << outcome.allTitles << ", allFiles: " << outcome.allFiles << "}";
}

class MatchFolders : public ::testing::Test {
protected:
    using Slots = std::vector<std::wstring>;
    static constexpr LocalTime kSecond{2026, 1, 1, 1, 1, 1};

    MatchFolders() {
        std::filesystem::create_directories(PathFromText(lyricsFolder()));
        std::filesystem::create_directories(PathFromText(reportFolder()));
    }
    std::wstring lyricsFolder() const { return work / L"lyrics"; }
    std::wstring reportFolder() const { return work / L"reports"; }
    std::wstring ListPath(std::wstring_view name) const { return JoinPath(reportFolder(), name); }
    bool NoListWritten() const { return std::filesystem::is_empty(PathFromText(reportFolder())); }

    void Lyrics(std::wstring_view name) const { WriteIn(lyricsFolder(), name, "la la\r\n"); }
    static void WriteIn(const std::wstring& folder, std::wstring_view name, std::string_view bytes) {
        std::ofstream(PathFromText(JoinPath(folder, name)), std::ios::binary) << bytes;
    }

    MatchRequest Request(const std::wstring& playlist) const {
        return {lyricsFolder(), playlist, reportFolder(), [] { return LocalTime{2026, 12, 5, 20, 19, 26}; }};
    }
    // Runs the request, which must fail with a message holding every part and write no list.
    void ExpectRunFails(const MatchRequest& request, const std::vector<std::wstring>& parts) const {
        const Result<MatchSummary> summary = RunMatch(request);
        ASSERT_FALSE(summary) << "a failed run read as a success";
        for (const std::wstring& part : parts) {
            EXPECT_TRUE(testing::Contains(summary.failure().message, part)) << EncodeUtf8(part);
        }
        EXPECT_TRUE(NoListWritten());
    }
    Result<WrittenUnmatchList> WriteList(const UnmatchListContent& content, const LocalTime& time = kSecond) const {
        return WriteUnmatchList(reportFolder(), time, content);
    }

    // The bytes of a list that leaves titles and files on both sides; every line of titleLines and
    // fileLines ends in its line end, and mark is the UTF-8 list's byte-order mark or nothing.
    static std::string ListLeftOnBothSides(std::string_view mark, std::string_view playlist, int titles, std::string_view length,
                                           std::string_view titleLines, std::string_view folder, int files,
                                           std::string_view fileLines) {
        return std::string(mark) + "Playlist titles which DO NOT have matching file name...\r\n\r\nPlaylist Name = \"" +
               std::string(playlist) + "\" with " + std::to_string(titles) +
               " titles.\r\nPlaylist Length = " + std::string(length) + " (hh:mm:ss)\r\n\r\n" + std::string(titleLines) +
               "\r\n\r\nFiles which DO NOT have matching Playlist titles...\r\n\r\nLyrics Folder = \"" + std::string(folder) +
               "\" with " + std::to_string(files) + " text files.\r\n\r\n" + std::string(fileLines);
    }

    testing::TempFolder work;
};

}  // namespace lyrics::match
