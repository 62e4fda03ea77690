#include "orlisk/caption_parser.h"

#include <array>

namespace lyrics::orlisk {

namespace {

constexpr std::wstring_view kWinamp = L"Winamp";

// Positions below count from 1; At(p) is the character at position p.
struct Caption {
    std::wstring_view text;
    wchar_t At(std::size_t position) const { return text[position - 1]; }
    std::size_t Length() const { return text.size(); }
};

// The characters from position first, count of them; empty for a count of 0 or below.
std::wstring Slice(std::wstring_view text, std::size_t first, long long count) {
    if (count <= 0 || first < 1 || first > text.size()) return {};
    return std::wstring(text.substr(first - 1, static_cast<std::size_t>(count)));
}

// n of the number prefix "n characters, then '. '", the smallest of 1 to 4; 0 when none fits.
std::size_t NumberPrefixLength(const Caption& caption) {
    for (std::size_t n = 1; n <= 4; ++n) {
        if (caption.Length() < n + 2) continue;
        if (caption.At(n + 1) == L'.' && caption.At(n + 2) == L' ') return n;
    }
    return 0;
}

}  // namespace

bool IsFixedCaption(std::wstring_view caption) {
    static constexpr std::array<std::wstring_view, 4> kFixed = {L"Winamp Playlist Editor", L"Winamp Minibrowser",
                                                                L"Winamp Equalizer", L"Orlisk"};
    for (std::wstring_view fixed : kFixed) {
        if (caption == fixed) return true;
    }
    return false;
}

CaptionResult TitleFromCaption(std::wstring_view text) {
    if (IsFixedCaption(text)) return {CaptionKind::Skipped, {}};
    const Caption caption{text};
    const std::size_t n = NumberPrefixLength(caption);
    if (n == 0) return {CaptionKind::NoTitle, {}};

    // Searched from the blank after the full stop, position n + 2.
    const std::size_t found = text.find(kWinamp, n + 1);
    std::wstring title;
    if (found != std::wstring_view::npos) {
        const long long w = static_cast<long long>(found) + 1;
        // The three characters in front of "Winamp" (" - ") are dropped unseen.
        title = Slice(text, n + 3, w - static_cast<long long>(n) - 6);
    } else {
        title = TitleFromStatusCaption(text, n + 1);
    }
    if (title.empty()) return {CaptionKind::NoTitle, {}};
    return {CaptionKind::Title, std::move(title)};
}

std::wstring TitleFromStatusCaption(std::wstring_view text, std::size_t fullStop) {
    const Caption caption{text};
    const long long length = static_cast<long long>(caption.Length());
    const long long p = static_cast<long long>(fullStop);

    // Only the length of the status word counts, not where it stands.
    long long statusLength = 0;
    for (std::wstring_view status :
         {std::wstring_view(L"(playing)"), std::wstring_view(L"(paused)"), std::wstring_view(L"(stopped)")}) {
        if (fullStop <= text.size() && text.find(status, fullStop) != std::wstring_view::npos) {
            statusLength = static_cast<long long>(status.size());
            break;
        }
    }

    // The group "(... : ...)" nearest the end; the last character is never looked at.
    long long groupOpen = 0;
    bool colonPassed = false;
    for (long long position = length - 1; position >= 1; --position) {
        const wchar_t c = caption.At(static_cast<std::size_t>(position));
        if (c == L':') {
            colonPassed = true;
        } else if (c == L'(' && colonPassed) {
            groupOpen = position;
            break;
        }
    }

    const std::size_t first = fullStop + 2;
    if (groupOpen != 0) return Slice(text, first, groupOpen - p - 3);
    if (statusLength != 0) return Slice(text, first, length - statusLength - p - 2);
    return Slice(text, first, length - p - 1);
}

}  // namespace lyrics::orlisk
