// The lyrics tool in memory: a CliIo that records what the tool writes and hands it prepared lines
// of standard input, and a fixture that runs the tool over a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_io.h"
#include "cli/lyrics_cli.h"
#include "tests/test_support.h"

namespace lyrics::cli {

class RecordingIo final : public CliIo {
public:
    void Out(std::wstring_view text) override { out += text; }
    void Err(std::wstring_view text) override { err += text; }
    std::optional<std::wstring> ReadLine() override {
        if (input.empty()) return std::nullopt;
        std::wstring line = std::move(input.front());
        input.pop_front();
        return line;
    }
    std::wstring FinishOut() override { return outLost; }

    std::wstring out, err;
    std::wstring outLost;  // what FinishOut answers: standing in for a full disk
    std::deque<std::wstring> input;
};

class LyricsCliTest : public ::testing::Test {
protected:
    int Run(std::vector<std::wstring> args) {
        io = RecordingIo{};
        return RunLyrics(args, io);
    }
    // lyrics match over the lyrics folder folder (Folder() when empty) and the playlist, then more.
    int Match(const std::wstring& playlist, std::vector<std::wstring> more = {}, std::wstring folder = {}) {
        std::vector<std::wstring> args = {L"match", L"--folder", folder.empty() ? Folder() : folder, L"--playlist", playlist};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }
    std::wstring Folder() {
        std::filesystem::create_directories(PathFromText(work / L"lyrics"));
        return work / L"lyrics";
    }
    // A playlist of one title, "Song", whose file name is p.
    std::wstring SongPlaylist() { return work.Write(L"list.m3u", "#EXTM3U\n#EXTINF:5,Song\np\n"); }
    RecordingIo io;
    lyrics::testing::TempFolder work;
};

}  // namespace lyrics::cli
