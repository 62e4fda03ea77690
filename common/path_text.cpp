#include "common/path_text.h"

namespace lyrics {

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring joined(folder);
    const std::wstring_view separator = PathSeparator();
    if (joined.empty() || joined.back() != separator.front()) joined += separator;
    joined += name;
    return joined;
}

std::wstring ReasonText(const std::error_code& error) {
    std::wstring text = SystemReason(error);
    // The message closes the sentence itself; the ideographic full stop closes Japanese ones.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.' ||
                             text.back() == L'\u3002'))
        text.pop_back();
    return text;
}

}  // namespace lyrics
