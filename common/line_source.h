// LineSource: reads a text line by line, the way playlists are walked.
//
// Lines end as common/line_ends.h says: at LF, a CR right before that LF belonging to the line end
// (or at CR in a text without any LF). The line count of a text is its number of line ends plus
// one, so a text that ends with a line end counts one more, empty line. A line is decoded only when
// read, so a huge line that is skipped costs nothing but the search for its end.
//
// The text is its bytes, in memory or streamed a chunk at a time from a supply; streamed, the
// source holds only the line being read and one chunk, whatever the size of the text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/byte_supply.h"
#include "common/result.h"

namespace lyrics {

enum class TextEncoding { EightBit, Utf8, Utf16Le, Utf16Be };

// What must be known of a whole text before its first line is cut.
struct TextShape {
    TextEncoding encoding = TextEncoding::EightBit;
    char lineEnd = '\n';  // LF, or CR in a text with CRs and no LF
};

class LineSource {
public:
    // 8-bit text; the bytes must outlive the source.
    explicit LineSource(std::string_view bytes) noexcept;
    // Text of the given shape without its byte-order mark; the bytes must outlive the source.
    LineSource(std::string_view text, TextShape shape) noexcept;
    // Text of the given shape without its byte-order mark, from the supply; it must outlive the source.
    LineSource(ByteSupply& supply, TextShape shape);

    // Moves to the end of the text.
    void ReadAll();
    // 1-based number of the line at the current position.
    std::size_t Line() const noexcept { return line_; }
    // True when no character is left.
    bool AtEndOfStream();
    // The next line without its line end; nothing when at the end.
    std::optional<std::wstring> ReadLine();
    // Moves past the next line; false when at the end.
    bool SkipLine();
    // Why the supply stopped early, if it failed; the text ends where it failed.
    const std::optional<Failure>& failure() const noexcept { return failure_; }

private:
    struct Cut {
        std::size_t end;     // bytes of the line in the window
        std::size_t length;  // those and the line end, or npos when the window holds no line end
    };
    Cut FindLineEnd(std::size_t from) const noexcept;
    // Keeps the window from `keep` on and adds the supply's next bytes; false when none came.
    bool Refill(std::size_t keep);
    // The next line's bytes (without its end) in the window, moved past; the window then starts
    // there. Reading or skipping, a line longer than the window is kept whole only when `keep`.
    std::string_view TakeLine(bool keep);
    std::wstring Decode(std::string_view line) const;
    // The bytes not yet taken: of the text in memory, or of the buffer when streamed.
    std::string_view Window() const noexcept;

    TextShape shape_;
    std::size_t unit_ = 1;  // bytes per code unit
    std::string_view text_;
    std::string buffer_;
    std::size_t begin_ = 0;  // the window, as offsets into the text or the buffer
    std::size_t end_ = 0;
    ByteSupply* supply_ = nullptr;
    bool drained_ = false;
    std::optional<Failure> failure_;
    std::size_t line_ = 1;
};

// Number of lines of 8-bit text as LineSource counts them: the number of line ends plus one.
std::size_t CountLines(std::string_view bytes) noexcept;

}  // namespace lyrics
