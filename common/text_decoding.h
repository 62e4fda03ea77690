// How the bytes of a text file become text: players save playlists in the 8-bit code page, in
// UTF-8 with or without a byte-order mark, and in UTF-16 of either byte order.
//
// - A byte-order mark chooses UTF-8 (EF BB BF), UTF-16 LE (FF FE) or UTF-16 BE (FE FF) and is
//   dropped. After a mark every invalid sequence becomes U+FFFD, one per maximal subpart, as the
//   WHATWG Encoding Standard's decoders do; in UTF-16 an unpaired surrogate or a final odd byte
//   becomes U+FFFD.
// - Without a mark, bytes that are valid UTF-8 (no overlong forms, no surrogates, nothing above
//   U+10FFFF) and hold at least one byte of 0x80 or more are UTF-8. Anything else is 8-bit text,
//   read exactly as before: one byte is one character of the 8-bit code page. Pure ASCII reads the
//   same either way.
// On Windows a character beyond U+FFFF is two wchar_t (a surrogate pair), elsewhere one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/line_source.h"

namespace lyrics {

enum class TextEncoding { EightBit, Utf8, Utf16Le, Utf16Be };

struct EncodingChoice {
    TextEncoding encoding = TextEncoding::EightBit;
    std::size_t markLength = 0;  // bytes of byte-order mark before the text
};

EncodingChoice ChooseEncoding(std::string_view bytes) noexcept;

// Valid UTF-8 in the strict sense of the Unicode Standard's table of well-formed sequences.
bool IsStrictUtf8(std::string_view bytes) noexcept;

// UTF-8 as the WHATWG decoder reads it: each maximal subpart of an ill-formed sequence becomes one
// U+FFFD, and decoding goes on at the byte that ended it.
std::wstring DecodeUtf8Replacing(std::string_view bytes);

// UTF-16 in the given byte order; each unpaired surrogate becomes U+FFFD, as does a final odd byte
// (one U+FFFD when the text ends in a lone leading surrogate and an odd byte).
std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian);

// The text of a file as the programs read it. 8-bit text stays its bytes and is decoded a line at
// a time, as before; Unicode text is decoded whole, mark dropped, before lines are found in it.
// The bytes must outlive the object, which the line sources it gives refer to.
class FileText {
public:
    explicit FileText(std::string_view bytes);
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;

    TextEncoding encoding() const noexcept { return encoding_; }
    // A source over the whole text, at its first line.
    LineSource Lines() const noexcept;
    // Lines as LineSource counts them.
    std::size_t LineCount() const noexcept;

private:
    std::string_view bytes_;
    TextEncoding encoding_ = TextEncoding::EightBit;
    std::wstring decoded_;  // Unicode text only
};

}  // namespace lyrics
