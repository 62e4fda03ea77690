// How the bytes of a text file become text: players save playlists in the 8-bit code page, in
// UTF-8 with or without a byte-order mark, and in UTF-16 of either byte order.
//
// - A byte-order mark chooses UTF-8 (EF BB BF), UTF-16 LE (FF FE) or UTF-16 BE (FE FF) and is
//   dropped. After a mark every invalid sequence becomes U+FFFD, one per maximal subpart, as the
//   WHATWG Encoding Standard's decoders do; in UTF-16 an unpaired surrogate or a final odd byte
//   becomes U+FFFD.
// - Without a mark, bytes that are valid UTF-8 (no overlong forms, no surrogates, nothing above
//   U+10FFFF) and hold at least one byte of 0x80 or more are UTF-8.
// - Without a mark, UTF-16 is taken where it is unambiguous: the file has an even size; its first
//   line (up to its first CR or LF, within 256 bytes) holds at least four characters and has a
//   zero at every odd offset (little-endian) or every even one (big-endian); and no byte at the
//   other offsets of the whole file is zero. A playlist's header line ("#EXTM3U", "[playlist]",
//   "<?xml") saved as UTF-16 is that; 8-bit and UTF-8 text holds no zero bytes.
// - Anything else is 8-bit text: one byte is one character of the 8-bit code page. Pure ASCII
//   reads the same either way.
// On Windows a character beyond U+FFFF is two wchar_t (a surrogate pair), elsewhere one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/line_source.h"

namespace lyrics {

struct EncodingChoice {
    TextEncoding encoding = TextEncoding::EightBit;
    std::size_t markLength = 0;  // bytes of byte-order mark before the text
};

EncodingChoice ChooseEncoding(std::string_view bytes) noexcept;

// The choice of encoding and line end made over a text fed a chunk at a time, so that a file need
// not be held whole to be read: Feed every chunk in order, then ask.
class TextScan {
public:
    void Feed(std::string_view chunk) noexcept;
    // A run of zero bytes, as long as it may be, weighed without being held.
    void FeedZeros(std::uint64_t count) noexcept;
    EncodingChoice Encoding() const noexcept;
    TextShape Shape() const noexcept;
    // Bytes fed, the mark included.
    std::uint64_t Size() const noexcept { return size_; }

private:
    void FeedUtf8(std::string_view chunk) noexcept;
    void FeedLineEnds(std::string_view chunk, TextEncoding marked) noexcept;
    // The encoding a byte-order mark at the start names; EightBit for none.
    TextEncoding Marked() const noexcept;
    bool Utf16Unmarked(bool bigEndian) const noexcept;

    static constexpr std::size_t kHead = 256;          // bytes kept to judge the first line by
    static constexpr std::size_t kLeastFirstLine = 4;  // characters: "#EXTM3U", "[playlist]", "<?xml"
    char head_[kHead] = {};
    std::size_t headLength_ = 0;
    std::uint64_t size_ = 0;
    // UTF-8 without a mark: still valid, a byte of 0x80 or more seen, a sequence cut by the chunk's end.
    bool utf8Valid_ = true;
    bool highByte_ = false;
    char carry_[4] = {};
    std::size_t carryLength_ = 0;
    // Zero bytes at even and at odd offsets; LF and CR as bytes and as UTF-16 code units of either order.
    bool zeroAt_[2] = {false, false};
    bool byteSeen_[2] = {false, false};                       // LF, CR
    bool unitSeen_[2][2] = {{false, false}, {false, false}};  // [LF, CR][little-endian, big-endian]
    bool pendingLittle_[2] = {false, false};                  // the chunk ended in an LF or CR at an even offset
    char lastByte_ = 1;
};

// Valid UTF-8 in the strict sense of the Unicode Standard's table of well-formed sequences.
bool IsStrictUtf8(std::string_view bytes) noexcept;

// UTF-8 as the WHATWG decoder reads it: each maximal subpart of an ill-formed sequence becomes one
// U+FFFD, and decoding goes on at the byte that ended it.
std::wstring DecodeUtf8Replacing(std::string_view bytes);

// UTF-16 in the given byte order; each unpaired surrogate becomes U+FFFD, as does a final odd byte
// (one U+FFFD when the text ends in a lone leading surrogate and an odd byte).
std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian);

// The text of a file in memory as the programs read it: its lines are decoded one at a time when
// read. The bytes must outlive the object, which the line sources it gives refer to.
class FileText {
public:
    explicit FileText(std::string_view bytes);
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;

    TextEncoding encoding() const noexcept { return shape_.encoding; }
    // A source over the whole text, at its first line.
    LineSource Lines() const noexcept;
    // Lines as LineSource counts them.
    std::size_t LineCount() const;

private:
    std::string_view text_;  // without the mark
    TextShape shape_;
};

}  // namespace lyrics
