#include "common/path_text.h"

#include "common/text_codec.h"

namespace lyrics {

std::filesystem::path PathFromText(std::wstring_view text) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(text));
#else
    return std::filesystem::path(EncodeUtf8(text));
#endif
}

std::wstring TextFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return DecodeUtf8Lenient(path.native());
#endif
}

std::wstring_view PathSeparator() noexcept {
#ifdef _WIN32
    return L"\\";
#else
    return L"/";
#endif
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring joined(folder);
    const std::wstring_view separator = PathSeparator();
    if (joined.empty() || joined.back() != separator.front()) joined += separator;
    joined += name;
    return joined;
}

std::wstring ReasonText(const std::error_code& error) {
#ifdef _WIN32
    std::wstring text = DecodeAnsi(error.message());
#else
    std::wstring text = DecodeUtf8Lenient(error.message());
#endif
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

}  // namespace lyrics
