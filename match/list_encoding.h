// The bytes of the unmatch list. While every character of the list fits the 8-bit code page the
// list is 8-bit text in that code page, one byte per character. A character that does not fit would be
// written as "?", and titles in another script would all look alike ("???"), so then the whole list
// is UTF-8 with a byte-order mark instead, which Notepad shows whole. CR LF ends every line either way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lyrics::match {

enum class ListEncoding { EightBit, Utf8 };

// Encodes the list's lines as they come, so that a big list never exists as wide text as well,
// which would take four times the memory of the file.
class ListBytes {
public:
    ListBytes(ListEncoding encoding, std::size_t expectedCharacters);

    void WriteLine(std::wstring_view text);
    void WriteBlankLines(int count);
    // False once an 8-bit list has met a character that does not fit: the list must be UTF-8.
    bool Fits() const noexcept { return fits_; }
    std::string Take() { return std::move(bytes_); }

private:
    ListEncoding encoding_;
    bool fits_ = true;
    std::string bytes_;
};

// The list's bytes; writeLines(ListBytes&) writes every line of the list, and is called a second
// time when the list turns out to need UTF-8.
template <typename WriteLines>
std::string EncodeList(std::size_t expectedCharacters, WriteLines writeLines) {
    ListBytes eightBit(ListEncoding::EightBit, expectedCharacters);
    writeLines(eightBit);
    if (eightBit.Fits()) return eightBit.Take();
    ListBytes utf8(ListEncoding::Utf8, expectedCharacters);
    writeLines(utf8);
    return utf8.Take();
}

}  // namespace lyrics::match
