#include "common/lower_case.h"

#include <windows.h>

#include <algorithm>

namespace lyrics {

namespace {

// The system's mappings take a DWORD length and map one UTF-16 unit to one, as the rest of the
// program assumes; texts beyond that length are mapped in pieces.
template <typename Mapping>
void MapInPieces(std::wstring& text, Mapping map) {
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t take = std::min(kPiece, text.size() - done);
        map(text.data() + done, static_cast<DWORD>(take));
        done += take;
    }
}

// A system's table may map a capital to a small letter whose own capital is another character (the
// Kelvin sign to "k", "İ" to "i"), and tables differ between versions. Only one-to-one pairs are
// kept, as on Linux, so that a title matches the same files on both systems.
void KeepOneToOnePairs(wchar_t* lowered, const wchar_t* original, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const bool pair = IS_HIGH_SURROGATE(original[i]) && i + 1 < count && IS_LOW_SURROGATE(original[i + 1]);
        const std::size_t length = pair ? 2 : 1;
        const bool changed = lowered[i] != original[i] || (pair && lowered[i + 1] != original[i + 1]);
        if (changed && original[i] >= 0x80) {
            wchar_t capital[2] = {lowered[i], pair ? lowered[i + 1] : L'\0'};
            CharUpperBuffW(capital, static_cast<DWORD>(length));
            if (!std::equal(capital, capital + length, original + i)) std::copy_n(original + i, length, lowered + i);
        }
        i += length - 1;
    }
}

}  // namespace

void LowerCaseInPlace(std::wstring& text) {
    // Mapped in pieces that never split a surrogate pair, each checked against a copy of itself.
    constexpr std::size_t kPiece = 4096;
    wchar_t original[kPiece];
    for (std::size_t done = 0; done < text.size();) {
        std::size_t take = std::min(kPiece, text.size() - done);
        if (done + take < text.size() && IS_HIGH_SURROGATE(text[done + take - 1])) --take;
        wchar_t* piece = text.data() + done;
        std::copy_n(piece, take, original);
        CharLowerBuffW(piece, static_cast<DWORD>(take));
        KeepOneToOnePairs(piece, original, take);
        done += take;
    }
}

std::wstring UpperCase(std::wstring_view text) {
    std::wstring out(text);
    MapInPieces(out, CharUpperBuffW);
    return out;
}

}  // namespace lyrics
