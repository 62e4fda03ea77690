// LineSource: reads 8-bit text line by line, the way playlists are walked.
//
// A line ends at LF; a CR right before that LF belongs to the line end, any other CR is an
// ordinary character. The line count of a text is its number of LF plus one, so a text that ends
// with a line end counts one more, empty line. Lines are decoded with the 8-bit codec only when
// read, so a huge line that is skipped costs nothing but the search for its end.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lyrics {

class LineSource {
public:
    // The bytes must outlive the source.
    explicit LineSource(std::string_view bytes) noexcept : bytes_(bytes) {}

    // Moves to the end of the text.
    void ReadAll() noexcept;
    // 1-based number of the line at the current position.
    std::size_t Line() const noexcept { return line_; }
    // True when no character is left.
    bool AtEndOfStream() const noexcept { return position_ >= bytes_.size(); }
    // The next line without its line end; nothing when at the end.
    std::optional<std::wstring> ReadLine();
    // Moves past the next line; false when at the end.
    bool SkipLine() noexcept;

private:
    // Bytes of the next line without its end, and moves past it.
    std::string_view TakeLine() noexcept;

    std::string_view bytes_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
};

// Number of lines as LineSource counts them: the number of LF plus one.
std::size_t CountLines(std::string_view bytes) noexcept;

}  // namespace lyrics
