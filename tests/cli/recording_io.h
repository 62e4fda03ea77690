// A CliIo that records what the tool writes and hands it prepared lines of standard input.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "cli/cli_io.h"

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

}  // namespace lyrics::cli
