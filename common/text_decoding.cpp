#include "common/text_decoding.h"

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
            ++i;
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

}  // namespace

EncodingChoice ChooseEncoding(std::string_view bytes) noexcept {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return {TextEncoding::Utf8, 3};
    if (StartsWith(bytes, "\xFF\xFE")) return {TextEncoding::Utf16Le, 2};
    if (StartsWith(bytes, "\xFE\xFF")) return {TextEncoding::Utf16Be, 2};
    const std::size_t ascii = AsciiPrefixLength(bytes);
    if (ascii < bytes.size() && IsStrictUtf8From(bytes, ascii)) return {TextEncoding::Utf8, 0};
    return {TextEncoding::EightBit, 0};
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

FileText::FileText(std::string_view bytes) : bytes_(bytes) {
    const EncodingChoice choice = ChooseEncoding(bytes);
    encoding_ = choice.encoding;
    const std::string_view text = bytes.substr(choice.markLength);
    switch (encoding_) {
        case TextEncoding::EightBit:
            break;
        case TextEncoding::Utf8:
            decoded_ = DecodeUtf8Replacing(text);
            break;
        case TextEncoding::Utf16Le:
            decoded_ = DecodeUtf16(text, false);
            break;
        case TextEncoding::Utf16Be:
            decoded_ = DecodeUtf16(text, true);
            break;
    }
}

LineSource FileText::Lines() const noexcept {
    return encoding_ == TextEncoding::EightBit ? LineSource(bytes_) : LineSource(std::wstring_view(decoded_));
}

std::size_t FileText::LineCount() const noexcept {
    return encoding_ == TextEncoding::EightBit ? CountLines(bytes_) : CountLines(std::wstring_view(decoded_));
}

}  // namespace lyrics
