#include "common/text_decoding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace lyrics {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One step of the UTF-8 decoder: a whole sequence, or the maximal subpart of an ill-formed one.
struct Utf8Step {
    std::size_t length = 1;  // bytes taken; decoding goes on after them
    char32_t character = kReplacement;
    bool valid = false;
};

// The bounds of the second byte narrow for E0, ED, F0 and F4, which is what keeps out overlong
// forms, surrogates and code points above U+10FFFF; every later byte is 80..BF.
Utf8Step Utf8StepAt(const unsigned char* p, std::size_t left) noexcept {
    const unsigned char lead = p[0];
    if (lead < 0x80) return {1, lead, true};
    std::size_t needed = 0;
    unsigned char lower = 0x80;
    unsigned char upper = 0xBF;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 1, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 2, c = lead & 0x0F;
        if (lead == 0xE0) lower = 0xA0;
        if (lead == 0xED) upper = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 3, c = lead & 0x07;
        if (lead == 0xF0) lower = 0x90;
        if (lead == 0xF4) upper = 0x8F;
    } else {
        return {};
    }
    for (std::size_t i = 1; i <= needed; ++i) {
        if (i >= left || p[i] < lower || p[i] > upper) return {i, kReplacement, false};
        c = (c << 6) | (p[i] & 0x3F);
        lower = 0x80, upper = 0xBF;
    }
    return {needed + 1, c, true};
}

// Index of the first byte of 0x80 or more, or the size; eight bytes at a time.
std::size_t AsciiPrefixLength(std::string_view bytes) noexcept {
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080u) break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    return i;
}

bool IsStrictUtf8From(std::string_view bytes, std::size_t i) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    while (i < bytes.size()) {
        if (p[i] < 0x80) {
            i += AsciiPrefixLength(bytes.substr(i));
            continue;
        }
        const Utf8Step step = Utf8StepAt(p + i, bytes.size() - i);
        if (!step.valid) return false;
        i += step.length;
    }
    return true;
}

// Writes one character at out[at], as a surrogate pair where wchar_t has 16 bits; returns the new end.
std::size_t Put(std::wstring& out, std::size_t at, char32_t c) noexcept {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out[at] = static_cast<wchar_t>(0xD800 + (c >> 10));
            out[at + 1] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return at + 2;
        }
    }
    out[at] = static_cast<wchar_t>(c);
    return at + 1;
}

bool IsLeadingSurrogate(char32_t unit) noexcept { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsTrailingSurrogate(char32_t unit) noexcept { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool StartsWith(std::string_view bytes, std::string_view mark) noexcept { return bytes.substr(0, mark.size()) == mark; }

// The bytes a UTF-8 sequence takes after a lead byte; 0 for a byte that leads none.
std::size_t Utf8Trail(unsigned char lead) noexcept {
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return 0;
}

// The zero bytes of a word, one high bit each, with no carry from one byte into the next.
std::uint64_t ZeroBytes(std::uint64_t word) noexcept {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
    return ~(((word & kLow7) + kLow7) | word) & ~kLow7;
}

}  // namespace

void TextScan::Feed(std::string_view chunk) noexcept {
    if (chunk.empty()) return;
    const std::size_t take = std::min(kHead - headLength_, chunk.size());
    std::memcpy(head_ + headLength_, chunk.data(), take);
    headLength_ += take;
    // After a mark the encoding is known: only its line ends are left to find.
    const TextEncoding marked = Marked();
    if (marked == TextEncoding::EightBit) FeedUtf8(chunk);
    FeedLineEnds(chunk, marked);
    size_ += chunk.size();
    lastByte_ = chunk.back();
}

void TextScan::FeedZeros(std::uint64_t count) noexcept {
    // After the first few, more zeros change nothing the first ones did not: they are counted.
    static constexpr char kZeros[kHead] = {};
    const auto fed = static_cast<std::size_t>(std::min<std::uint64_t>(count, kHead));
    Feed(std::string_view(kZeros, fed));
    size_ += count - fed;
}

void TextScan::FeedUtf8(std::string_view chunk) noexcept {
    if (!utf8Valid_) return;
    const auto* p = reinterpret_cast<const unsigned char*>(chunk.data());
    std::size_t from = 0;
    if (carryLength_ > 0) {  // the sequence the last chunk cut, completed from this one
        unsigned char joined[4];
        std::memcpy(joined, carry_, carryLength_);
        const std::size_t more = std::min(4 - carryLength_, chunk.size());
        std::memcpy(joined + carryLength_, chunk.data(), more);
        const Utf8Step step = Utf8StepAt(joined, carryLength_ + more);
        if (!step.valid && step.length >= carryLength_ + more && more == chunk.size()) {
            std::memcpy(carry_ + carryLength_, chunk.data(), more);  // still cut short
            carryLength_ += more;
            return;
        }
        if (!step.valid) {
            utf8Valid_ = false;
            return;
        }
        from = step.length - carryLength_;
        carryLength_ = 0;
    }
    // A sequence that runs past the chunk's end waits for the next chunk.
    std::size_t end = chunk.size();
    for (std::size_t back = 1; back <= 3 && back <= end - from; ++back) {
        const unsigned char c = p[end - back];
        if (c >= 0x80 && c <= 0xBF) continue;
        if (Utf8Trail(c) >= back) {
            carryLength_ = back;
            std::memcpy(carry_, p + end - back, back);
            end -= back;
        }
        break;
    }
    const std::string_view whole = chunk.substr(from, end - from);
    if (AsciiPrefixLength(chunk) < chunk.size()) highByte_ = true;
    if (!IsStrictUtf8From(whole, 0)) utf8Valid_ = false;
}

void TextScan::FeedLineEnds(std::string_view chunk, TextEncoding marked) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(chunk.data());
    const std::size_t n = chunk.size();
    // Zero bytes, by the parity of their offset in the whole text; most texts have none at all.
    const std::size_t firstZero = marked == TextEncoding::EightBit ? chunk.find('\0') : std::string_view::npos;
    for (std::size_t i = firstZero == std::string_view::npos ? n : firstZero; i < n && !(zeroAt_[0] && zeroAt_[1]);) {
        if (i + 8 <= n) {
            std::uint64_t word = 0;
            std::memcpy(&word, p + i, 8);
            if (const std::uint64_t zeros = ZeroBytes(word)) {
                const std::size_t parity = (size_ + i) % 2;  // of the word's lowest byte in memory order
                const std::uint64_t firstLanes = zeros & 0x0080008000800080u, secondLanes = zeros & 0x8000800080008000u;
                const bool littleEndianWord = std::endian::native == std::endian::little;
                if (littleEndianWord ? firstLanes : secondLanes) zeroAt_[parity] = true;
                if (littleEndianWord ? secondLanes : firstLanes) zeroAt_[1 - parity] = true;
            }
            i += 8;
        } else {
            if (p[i] == 0) zeroAt_[(size_ + i) % 2] = true;
            ++i;
        }
    }
    const char ends[2] = {'\n', '\r'};
    // A line end as a code unit has a zero byte beside it.
    const bool zeroNear = lastByte_ == 0 || chunk.find('\0') != std::string_view::npos;
    // The byte orders whose line ends are still sought: the mark's alone, or both.
    const bool sought[2] = {marked != TextEncoding::Utf16Be, marked != TextEncoding::Utf16Le};
    for (int e = 0; e < 2; ++e) {
        if (!byteSeen_[e] && chunk.find(ends[e]) != std::string_view::npos) byteSeen_[e] = true;
        if (pendingLittle_[e] && p[0] == 0) unitSeen_[e][0] = true;
        pendingLittle_[e] = false;
        if (!zeroNear) continue;
        if (marked == TextEncoding::Utf8) continue;
        for (std::size_t at = chunk.find(ends[e]);
             at != std::string_view::npos && ((sought[0] && !unitSeen_[e][0]) || (sought[1] && !unitSeen_[e][1]));
             at = chunk.find(ends[e], at + 1)) {
            const bool even = (size_ + at) % 2 == 0;
            if (even && at + 1 == n) pendingLittle_[e] = true;
            if (even && at + 1 < n && p[at + 1] == 0) unitSeen_[e][0] = true;
            if (!even && (at > 0 ? p[at - 1] : static_cast<unsigned char>(lastByte_)) == 0) unitSeen_[e][1] = true;
        }
    }
}

bool TextScan::Utf16Unmarked(bool bigEndian) const noexcept {
    if (size_ % 2 != 0) return false;              // no whole number of code units
    if (zeroAt_[bigEndian ? 1 : 0]) return false;  // a zero where the other half of a unit goes
    std::size_t characters = 0;
    for (std::size_t k = 0; k + 2 <= headLength_; k += 2) {
        const char low = head_[k + (bigEndian ? 1 : 0)], high = head_[k + (bigEndian ? 0 : 1)];
        if (high != 0) return false;
        if (low == '\n' || low == '\r') break;
        ++characters;
    }
    return characters >= kLeastFirstLine;
}

TextEncoding TextScan::Marked() const noexcept {
    const std::string_view head(head_, headLength_);
    if (StartsWith(head, "\xEF\xBB\xBF")) return TextEncoding::Utf8;
    if (StartsWith(head, "\xFF\xFE")) return TextEncoding::Utf16Le;
    if (StartsWith(head, "\xFE\xFF")) return TextEncoding::Utf16Be;
    return TextEncoding::EightBit;
}

EncodingChoice TextScan::Encoding() const noexcept {
    const std::string_view head(head_, headLength_);
    if (StartsWith(head, "\xEF\xBB\xBF")) return {TextEncoding::Utf8, 3};
    if (StartsWith(head, "\xFF\xFE")) return {TextEncoding::Utf16Le, 2};
    if (StartsWith(head, "\xFE\xFF")) return {TextEncoding::Utf16Be, 2};
    if (Utf16Unmarked(false)) return {TextEncoding::Utf16Le, 0};
    if (Utf16Unmarked(true)) return {TextEncoding::Utf16Be, 0};
    if (highByte_ && utf8Valid_ && carryLength_ == 0) return {TextEncoding::Utf8, 0};
    return {TextEncoding::EightBit, 0};
}

TextShape TextScan::Shape() const noexcept {
    const TextEncoding encoding = Encoding().encoding;
    const bool* seen = byteSeen_;
    bool units[2] = {false, false};
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
        const int order = encoding == TextEncoding::Utf16Be ? 1 : 0;
        units[0] = unitSeen_[0][order];
        units[1] = unitSeen_[1][order];
        seen = units;
    }
    return TextShape{encoding, seen[0] || !seen[1] ? '\n' : '\r'};
}

EncodingChoice ChooseEncoding(std::string_view bytes) noexcept {
    TextScan scan;
    scan.Feed(bytes);
    return scan.Encoding();
}

bool IsStrictUtf8(std::string_view bytes) noexcept { return IsStrictUtf8From(bytes, AsciiPrefixLength(bytes)); }

std::wstring DecodeUtf8Replacing(std::string_view bytes) {
    // Written in place: every step takes at least one byte and gives one character, and a character
    // that needs two wchar_t took four bytes.
    std::wstring out(bytes.size(), L'\0');
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (p[i] < 0x80) {
            out[length++] = static_cast<wchar_t>(p[i++]);
            continue;
        }
        const Utf8Step step = Utf8StepAt(p + i, bytes.size() - i);
        length = Put(out, length, step.character);
        i += step.length;
    }
    out.resize(length);
    return out;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t units = bytes.size() / 2;
    const bool oddByte = bytes.size() % 2 != 0;
    const auto unitAt = [&](std::size_t k) -> char32_t {
        const unsigned char first = p[2 * k], second = p[2 * k + 1];
        return bigEndian ? (char32_t{first} << 8 | second) : (char32_t{second} << 8 | first);
    };
    std::wstring out(units + (oddByte ? 1 : 0), L'\0');
    std::size_t length = 0;
    bool oddByteTaken = false;
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (IsLeadingSurrogate(unit)) {
            if (k + 1 < units && IsTrailingSurrogate(unitAt(k + 1))) {
                length = Put(out, length, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00));
                ++k;
                continue;
            }
            // A leading surrogate still waiting when the odd byte comes is one error with it.
            if (k + 1 == units && oddByte) oddByteTaken = true;
            out[length++] = static_cast<wchar_t>(kReplacement);
        } else if (IsTrailingSurrogate(unit)) {
            out[length++] = static_cast<wchar_t>(kReplacement);
        } else {
            out[length++] = static_cast<wchar_t>(unit);
        }
    }
    if (oddByte && !oddByteTaken) out[length++] = static_cast<wchar_t>(kReplacement);
    out.resize(length);
    return out;
}

FileText::FileText(std::string_view bytes) {
    TextScan scan;
    scan.Feed(bytes);
    text_ = bytes.substr(scan.Encoding().markLength);
    shape_ = scan.Shape();
}

LineSource FileText::Lines() const noexcept { return LineSource(text_, shape_); }

std::size_t FileText::LineCount() const {
    LineSource lines = Lines();
    lines.ReadAll();
    return lines.Line();
}

}  // namespace lyrics
