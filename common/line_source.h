// LineSource: reads a text line by line, the way playlists are walked.
//
// Lines end as common/line_ends.h says: at LF, a CR right before that LF belonging to the line end
// (or at CR in a text without any LF). The line count of a text is its number of line ends plus
// one, so a text that ends with a line end counts one more, empty line. 8-bit lines are decoded
// with the 8-bit codec only when read, so a huge line that is skipped costs nothing but the search
// for its end.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lyrics {

class LineSource {
public:
    // 8-bit text; the bytes must outlive the source.
    explicit LineSource(std::string_view bytes) noexcept;
    // Text decoded already; it must outlive the source.
    explicit LineSource(std::wstring_view text) noexcept;

    // Moves to the end of the text.
    void ReadAll() noexcept;
    // 1-based number of the line at the current position.
    std::size_t Line() const noexcept { return line_; }
    // True when no character is left.
    bool AtEndOfStream() const noexcept { return position_ >= size_; }
    // The next line without its line end; nothing when at the end.
    std::optional<std::wstring> ReadLine();
    // Moves past the next line; false when at the end.
    bool SkipLine() noexcept;

private:
    std::string_view bytes_;
    std::wstring_view text_;
    bool decoded_ = false;
    wchar_t lineEnd_ = L'\n';
    std::size_t size_ = 0;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
};

// Number of lines as LineSource counts them: the number of line ends plus one.
std::size_t CountLines(std::string_view bytes) noexcept;
std::size_t CountLines(std::wstring_view text) noexcept;

}  // namespace lyrics
