// Where the lines of a text end, for 8-bit bytes and decoded text alike.
//
// A line ends at LF; a CR right before that LF belongs to the line end, any other CR is an
// ordinary character. A text with no LF at all but with CRs (an old Mac file) has CR line ends
// instead, so it is not one long line. The line count of a text is its number of line ends plus
// one, so a text that ends with a line end counts one more, empty line.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace lyrics {

// The character that ends the text's lines: LF, or CR when there is no LF but a CR.
template <typename Char>
Char LineEndCharacter(std::basic_string_view<Char> text) noexcept {
    if (text.find(Char('\n')) != std::basic_string_view<Char>::npos) return Char('\n');
    return text.find(Char('\r')) != std::basic_string_view<Char>::npos ? Char('\r') : Char('\n');
}

template <typename Char>
std::size_t CountLineEnds(std::basic_string_view<Char> text, Char lineEnd) noexcept {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), lineEnd));
}

// The line that starts at `position`, without its end; `position` moves past the end. True when a
// line end was met, false when the line runs to the end of the text.
template <typename Char>
bool TakeLineAt(std::basic_string_view<Char> text, Char lineEnd, std::size_t& position,
                std::basic_string_view<Char>& line) noexcept {
    const std::basic_string_view<Char> rest = text.substr(position);
    const std::size_t length = rest.find(lineEnd);
    if (length == std::basic_string_view<Char>::npos) {
        position = text.size();
        line = rest;
        return false;
    }
    position += length + 1;
    line = rest.substr(0, length);
    if (lineEnd == Char('\n') && !line.empty() && line.back() == Char('\r')) line.remove_suffix(1);
    return true;
}

}  // namespace lyrics
