#include "../lower_case.h"

#include <windows.h>

#include <algorithm>

namespace lyrics {

void LowerCaseInPlace(std::wstring& text) {
    // CharLowerBuffW maps one UTF-16 unit to one, as the rest of the program assumes.
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t take = std::min(kPiece, text.size() - done);
        CharLowerBuffW(text.data() + done, static_cast<DWORD>(take));
        done += take;
    }
}

std::wstring UpperCase(std::wstring_view text) {
    std::wstring out(text);
    if (!out.empty()) CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

std::wstring LowerCase(std::wstring_view text) {
    std::wstring out(text);
    LowerCaseInPlace(out);
    return out;
}

} // namespace lyrics
