// Paths on Windows are wide text already: they cross unchanged.
#include "common/path_text.h"

namespace lyrics {

std::filesystem::path PathFromText(std::wstring_view text) { return std::filesystem::path(std::wstring(text)); }

std::wstring TextFromPath(const std::filesystem::path& path) { return path.wstring(); }

std::wstring DisplayPath(std::wstring_view text) { return std::wstring(text); }

std::wstring_view PathSeparator() noexcept { return L"\\"; }

}  // namespace lyrics
