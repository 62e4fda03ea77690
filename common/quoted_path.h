// A path pasted with the double quotes that Explorer's "Copy as path" puts around it.
#pragma once

#include <string_view>

namespace lyrics {

// The path inside when the whole text is one path in double quotes (a path cannot hold a double
// quote, so "C:\Lyrics" can only mean C:\Lyrics); the text itself otherwise. Nothing is trimmed: a
// blank before the first quote or after the last leaves the text as it is.
constexpr std::wstring_view UnquotedPath(std::wstring_view text) noexcept {
    if (text.size() < 2 || text.front() != L'"' || text.back() != L'"') return text;
    const std::wstring_view inside = text.substr(1, text.size() - 2);
    return inside.find(L'"') == std::wstring_view::npos ? inside : text;
}

}  // namespace lyrics
