// The system's ANSI code page as the 8-bit code page.
#include "common/text_codec.h"

#include <windows.h>

#include <algorithm>

namespace lyrics {

namespace {

// The conversion functions take int lengths, so very long lines are converted in pieces. A piece must
// end on a character boundary, which depends on the kind of code page.
enum class CodePageKind { SingleByte, DoubleByte, Utf8 };

CodePageKind AnsiCodePageKind() {
    static const CodePageKind kind = [] {
        if (GetACP() == CP_UTF8) return CodePageKind::Utf8;  // Windows 10's "Beta: Use Unicode UTF-8"
        CPINFO info{};
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1 ? CodePageKind::DoubleByte : CodePageKind::SingleByte;
    }();
    return kind;
}

// End of the piece that starts at `begin` and holds at most `limit` bytes, on a character boundary.
std::size_t BytePieceEnd(std::string_view bytes, std::size_t begin, std::size_t limit) {
    const std::size_t end = begin + std::min(limit, bytes.size() - begin);
    if (end == bytes.size()) return end;
    switch (AnsiCodePageKind()) {
        case CodePageKind::SingleByte:
            return end;
        case CodePageKind::DoubleByte: {
            // A trail byte may have the value of a lead byte, so only a walk from a known boundary tells
            // whether the last byte starts a character.
            std::size_t at = begin;
            while (at < end) {
                const std::size_t next = at + (IsDBCSLeadByte(static_cast<BYTE>(bytes[at])) ? 2 : 1);
                if (next > end) return at > begin ? at : end;
                at = next;
            }
            return at;
        }
        case CodePageKind::Utf8: {
            std::size_t at = end;
            for (int back = 0; back < 3 && at > begin && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80; ++back) --at;
            return at > begin ? at : end;
        }
    }
    return end;
}

std::size_t WidePieceEnd(std::wstring_view text, std::size_t begin, std::size_t limit) {
    std::size_t end = begin + std::min(limit, text.size() - begin);
    if (end < text.size() && end - begin > 1 && IS_HIGH_SURROGATE(text[end - 1])) --end;
    return end;
}

// An ANSI code page holds no character beyond U+FFFF, yet Windows marks each half of its surrogate
// pair: one character would leave two marks, where the portable build leaves one.
std::wstring CollapseSurrogatePairs(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) {
            out += L'?';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool HasSurrogates(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return IS_HIGH_SURROGATE(c) || IS_LOW_SURROGATE(c); });
}

}  // namespace

std::wstring DecodeAnsi(std::string_view bytes) {
    std::wstring out;
    constexpr std::size_t kPiece = 1u << 26;
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t end = BytePieceEnd(bytes, done, kPiece);
        const int inLength = static_cast<int>(end - done);
        const int outLength = MultiByteToWideChar(CP_ACP, 0, bytes.data() + done, inLength, nullptr, 0);
        if (outLength > 0) {
            const std::size_t at = out.size();
            out.resize(at + static_cast<std::size_t>(outLength));
            MultiByteToWideChar(CP_ACP, 0, bytes.data() + done, inLength, out.data() + at, outLength);
        }
        done = end;
    }
    return out;
}

std::string EncodeAnsi(std::wstring_view text) {
    // Without WC_NO_BEST_FIT_CHARS Windows writes a look-alike ("a" for "ā", "8" for "∞"), and a
    // report would name a title that is not in the playlist; "?" shows that something was lost.
    // UTF-8 holds every character and takes neither the flag nor a default character.
    const bool utf8 = AnsiCodePageKind() == CodePageKind::Utf8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* const defaultChar = utf8 ? nullptr : "?";
    std::wstring collapsed;
    if (!utf8 && HasSurrogates(text)) {
        collapsed = CollapseSurrogatePairs(text);
        text = collapsed;
    }
    std::string out;
    constexpr std::size_t kPiece = 1u << 24;
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t end = WidePieceEnd(text, done, kPiece);
        const int inLength = static_cast<int>(end - done);
        const int outLength = WideCharToMultiByte(CP_ACP, flags, text.data() + done, inLength, nullptr, 0, defaultChar, nullptr);
        if (outLength > 0) {
            const std::size_t at = out.size();
            out.resize(at + static_cast<std::size_t>(outLength));
            WideCharToMultiByte(CP_ACP, flags, text.data() + done, inLength, out.data() + at, outLength, defaultChar, nullptr);
        }
        done = end;
    }
    return out;
}

}  // namespace lyrics
