// Where the lyrics tool reads and writes: the console in the program, memory in the tests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lyrics::cli {

class CliIo {
public:
    virtual ~CliIo() = default;
    virtual void Out(std::wstring_view text) = 0;
    virtual void Err(std::wstring_view text) = 0;
    // The next line of standard input without its line end; nothing at the end.
    virtual std::optional<std::wstring> ReadLine() = 0;
    // Hands on what is still held for standard output; the reason when anything written there was
    // lost (a full disk, a closed handle), empty when all of it arrived.
    virtual std::wstring FinishOut() { return {}; }
};

// Standard output and error: UTF-8, or the console's wide text on a Windows console. On Linux a
// path's bytes that are no UTF-8 go out as the very bytes they were (common/path_text.h).
class ConsoleIo final : public CliIo {
public:
    ConsoleIo();
    void Out(std::wstring_view text) override;
    void Err(std::wstring_view text) override;
    std::optional<std::wstring> ReadLine() override;
    std::wstring FinishOut() override;

private:
    int outError_ = 0;  // the first error number met writing standard output
};

}  // namespace lyrics::cli
