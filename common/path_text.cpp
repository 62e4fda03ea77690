#include "common/path_text.h"

#include "common/text_codec.h"

namespace lyrics {

std::filesystem::path PathFromText(std::wstring_view text) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(text));
#else
    return std::filesystem::path(EncodePathBytes(text));
#endif
}

std::wstring TextFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return DecodePathBytes(path.native());
#endif
}

std::wstring DisplayPath(std::wstring_view text) {
#ifdef _WIN32
    return std::wstring(text);
#else
    return ShowEscapedBytes(text);
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

}  // namespace lyrics
