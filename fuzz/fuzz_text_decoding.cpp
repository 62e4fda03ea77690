// The reading of a text file (common/text_decoding.h) against plain references written here from
// the definitions: the Unicode Standard's table of well-formed UTF-8 and its maximal subparts, the
// WHATWG UTF-16 decoder step by step, and the line rule as a split. The first byte chooses how the
// rest becomes a file: as it is, after each of the three byte-order marks, or as characters
// encoded in UTF-8 (with and without a mark) and UTF-16, which must come back exactly.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_codec.h"
#include "common/text_decoding.h"

namespace {

using lyrics::FileText;
using lyrics::TextEncoding;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "text decoding: %s\n", what);
        std::abort();
    }
}

static_assert(sizeof(wchar_t) == 4, "the references give one wchar_t per character");

constexpr char32_t kReplacement = 0xFFFD;

struct ByteRange {
    unsigned char low, high;
};

// The Unicode Standard's table of well-formed UTF-8 byte sequences, row by row.
const std::vector<std::vector<ByteRange>> kWellFormed = {
    {{0x00, 0x7F}},
    {{0xC2, 0xDF}, {0x80, 0xBF}},
    {{0xE0, 0xE0}, {0xA0, 0xBF}, {0x80, 0xBF}},
    {{0xE1, 0xEC}, {0x80, 0xBF}, {0x80, 0xBF}},
    {{0xED, 0xED}, {0x80, 0x9F}, {0x80, 0xBF}},
    {{0xEE, 0xEF}, {0x80, 0xBF}, {0x80, 0xBF}},
    {{0xF0, 0xF0}, {0x90, 0xBF}, {0x80, 0xBF}, {0x80, 0xBF}},
    {{0xF1, 0xF3}, {0x80, 0xBF}, {0x80, 0xBF}, {0x80, 0xBF}},
    {{0xF4, 0xF4}, {0x80, 0x8F}, {0x80, 0xBF}, {0x80, 0xBF}},
};

// UTF-8 by the definition: a complete row decodes; otherwise the longest prefix of any row (at
// least one byte) is a maximal subpart and becomes one U+FFFD.
std::wstring ReferenceUtf8(std::string_view bytes, bool& valid) {
    valid = true;
    std::wstring out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t longest = 0;
        bool decoded = false;
        for (const std::vector<ByteRange>& row : kWellFormed) {
            std::size_t k = 0;
            while (k < row.size() && i + k < bytes.size() && static_cast<unsigned char>(bytes[i + k]) >= row[k].low &&
                   static_cast<unsigned char>(bytes[i + k]) <= row[k].high)
                ++k;
            if (k == row.size()) {
                constexpr std::array<unsigned, 5> kLeadBits = {0, 0x7F, 0x1F, 0x0F, 0x07};
                char32_t c = static_cast<unsigned char>(bytes[i]) & kLeadBits[k];
                for (std::size_t j = 1; j < k; ++j) c = (c << 6) | (static_cast<unsigned char>(bytes[i + j]) & 0x3F);
                out += static_cast<wchar_t>(c);
                i += k;
                decoded = true;
                break;
            }
            longest = std::max(longest, k);
        }
        if (!decoded) {
            valid = false;
            out += static_cast<wchar_t>(kReplacement);
            i += std::max<std::size_t>(longest, 1);
        }
    }
    return out;
}

// The WHATWG shared UTF-16 decoder, byte by byte as the standard writes it.
std::wstring ReferenceUtf16(std::string_view bytes, bool bigEndian, bool& valid) {
    valid = true;
    std::wstring out;
    std::optional<unsigned char> leadingByte;
    std::optional<char32_t> leadingSurrogate;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size()) {
            if (leadingByte || leadingSurrogate) {
                out += static_cast<wchar_t>(kReplacement);
                valid = false;
            }
            break;
        }
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!leadingByte) {
            leadingByte = byte;
            continue;
        }
        const char32_t unit = bigEndian ? (char32_t{*leadingByte} << 8) + byte : (char32_t{byte} << 8) + *leadingByte;
        leadingByte.reset();
        if (leadingSurrogate) {
            const char32_t lead = *leadingSurrogate;
            leadingSurrogate.reset();
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                out += static_cast<wchar_t>(0x10000 + ((lead - 0xD800) << 10) + (unit - 0xDC00));
                continue;
            }
            out += static_cast<wchar_t>(kReplacement);  // the unit is then taken on its own, below
            valid = false;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            leadingSurrogate = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            out += static_cast<wchar_t>(kReplacement);
            valid = false;
        } else {
            out += static_cast<wchar_t>(unit);
        }
    }
    return out;
}

// The lines a reader sees, by the rule: split at LF and drop a CR just before it, or at CR when
// there is no LF but a CR. A last, empty piece is counted but never read.
struct ReferenceLines {
    std::vector<std::wstring> lines;
    std::size_t count = 0;
};

ReferenceLines SplitLines(const std::wstring& text) {
    const bool lf = text.find(L'\n') != std::wstring::npos;
    const wchar_t end = lf || text.find(L'\r') == std::wstring::npos ? L'\n' : L'\r';
    std::vector<std::wstring> pieces(1);
    for (const wchar_t c : text) {
        if (c == end) {
            if (lf && !pieces.back().empty() && pieces.back().back() == L'\r') pieces.back().pop_back();
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    ReferenceLines split;
    split.count = pieces.size();
    if (pieces.back().empty()) pieces.pop_back();
    split.lines = std::move(pieces);
    return split;
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// UTF-16 without a mark: an even size; the first line (to its first CR or LF, within the first 256
// bytes) holds four characters or more, each with a zero high byte; no low byte of the file is zero.
bool ReferenceUnmarkedUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) return false;
    const std::size_t high = bigEndian ? 0 : 1, low = 1 - high;
    for (std::size_t i = low; i < bytes.size(); i += 2) {
        if (bytes[i] == 0) return false;
    }
    std::size_t characters = 0;
    for (std::size_t i = 0; i + 1 < bytes.size() && i + 1 < 256; i += 2) {
        if (bytes[i + high] != 0) return false;
        if (bytes[i + low] == '\n' || bytes[i + low] == '\r') break;
        ++characters;
    }
    return characters >= 4;
}

// What the whole reading must give: the encoding, the text and the lines.
struct Expected {
    TextEncoding encoding;
    std::wstring text;
};

Expected ReferenceReading(std::string_view bytes) {
    bool valid = false;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return {TextEncoding::Utf8, ReferenceUtf8(bytes.substr(3), valid)};
    if (StartsWith(bytes, "\xFF\xFE")) return {TextEncoding::Utf16Le, ReferenceUtf16(bytes.substr(2), false, valid)};
    if (StartsWith(bytes, "\xFE\xFF")) return {TextEncoding::Utf16Be, ReferenceUtf16(bytes.substr(2), true, valid)};
    if (ReferenceUnmarkedUtf16(bytes, false)) return {TextEncoding::Utf16Le, ReferenceUtf16(bytes, false, valid)};
    if (ReferenceUnmarkedUtf16(bytes, true)) return {TextEncoding::Utf16Be, ReferenceUtf16(bytes, true, valid)};
    const std::wstring utf8 = ReferenceUtf8(bytes, valid);
    bool high = false;
    for (const char byte : bytes) high = high || static_cast<unsigned char>(byte) >= 0x80;
    if (valid && high) return {TextEncoding::Utf8, utf8};
    std::wstring eightBit;
    for (const char byte : bytes) eightBit += lyrics::Windows1252Char(static_cast<unsigned char>(byte));
    return {TextEncoding::EightBit, eightBit};
}

std::vector<std::wstring> ReadAllLines(const FileText& file) {
    std::vector<std::wstring> lines;
    lyrics::LineSource source = file.Lines();
    std::size_t line = 1;
    while (std::optional<std::wstring> next = source.ReadLine()) {
        lines.push_back(std::move(*next));
        Check(source.Line() == line + 1 || (source.Line() == line && source.AtEndOfStream()),
              "a line end read moves to the next line, and only the last line has none");
        line = source.Line();
    }
    Check(!source.SkipLine(), "nothing to skip at the end");
    return lines;
}

// The file's whole reading against the references, and the codec functions on their own.
void CheckFile(std::string_view bytes) {
    const Expected expected = ReferenceReading(bytes);
    const FileText file(bytes);
    Check(file.encoding() == expected.encoding, "encoding chosen as the marks and strict UTF-8 say");
    Check(lyrics::ChooseEncoding(bytes).encoding == expected.encoding, "ChooseEncoding agrees with FileText");

    const ReferenceLines want = SplitLines(expected.text);
    Check(file.LineCount() == want.count, "line count");
    Check(ReadAllLines(file) == want.lines, "lines");
    lyrics::LineSource counted = file.Lines();
    counted.SkipLine();
    counted.ReadAll();
    Check(counted.Line() == want.count, "ReadAll ends on the last line");

    bool valid = false;
    const std::wstring utf8 = ReferenceUtf8(bytes, valid);
    Check(lyrics::DecodeUtf8Replacing(bytes) == utf8, "UTF-8: one U+FFFD per maximal subpart");
    Check(lyrics::IsStrictUtf8(bytes) == valid, "strict UTF-8");
    if (valid) {
        Check(lyrics::EncodeUtf8(utf8) == bytes, "valid UTF-8 round-trips");
        Check(lyrics::DecodeUtf8Lenient(bytes) == utf8, "valid UTF-8 reads the same leniently");
    }
    for (const bool bigEndian : {false, true}) {
        bool valid16 = false;
        Check(lyrics::DecodeUtf16(bytes, bigEndian) == ReferenceUtf16(bytes, bigEndian, valid16), "UTF-16 as WHATWG decodes it");
    }
}

void AppendUtf16(std::string& out, char32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// Characters made from the input, biased toward line ends and letters of several scripts, encoded
// every way a player may save them: each must read back as exactly these characters and lines.
void CheckRoundTrips(std::string_view rest) {
    constexpr std::array<char32_t, 8> kCommon = {L'\n', L'\r', L'a', 0xE9, 0x3A3, 0x65E5, 0x1F600, 0xFEFF};
    std::wstring text;
    for (std::size_t i = 0; i + 2 < rest.size(); i += 3) {
        const auto b0 = static_cast<unsigned char>(rest[i]);
        const auto b1 = static_cast<unsigned char>(rest[i + 1]);
        const auto b2 = static_cast<unsigned char>(rest[i + 2]);
        char32_t c = b0 < 0x80 ? kCommon[b0 % kCommon.size()] : ((char32_t{b0} << 16) | (b1 << 8) | b2) % 0x110000;
        if (c >= 0xD800 && c <= 0xDFFF) c = b2;
        text += static_cast<wchar_t>(c);
    }
    if (!text.empty() && text.front() == 0xFEFF) text.front() = L'x';  // a leading U+FEFF would read as a mark
    const ReferenceLines want = SplitLines(text);

    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF";
    for (const wchar_t c : text) {
        auto code = static_cast<char32_t>(c);
        for (const bool bigEndian : {false, true}) {
            std::string& out = bigEndian ? utf16be : utf16le;
            if (code >= 0x10000) {
                AppendUtf16(out, 0xD800 + ((code - 0x10000) >> 10), bigEndian);
                AppendUtf16(out, 0xDC00 + ((code - 0x10000) & 0x3FF), bigEndian);
            } else {
                AppendUtf16(out, code, bigEndian);
            }
        }
    }
    const std::string utf8 = lyrics::EncodeUtf8(text);
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, utf16le, utf16be}) {
        const FileText file(bytes);
        Check(file.LineCount() == want.count, "round trip: line count");
        Check(ReadAllLines(file) == want.lines, "round trip: the characters come back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 5) {
        case 0:
            CheckFile(rest);
            break;
        case 1:
            CheckFile("\xEF\xBB\xBF" + std::string(rest));
            break;
        case 2:
            CheckFile("\xFF\xFE" + std::string(rest));
            break;
        case 3:
            CheckFile("\xFE\xFF" + std::string(rest));
            break;
        default:
            CheckRoundTrips(rest);
            break;
    }
    return 0;
}
