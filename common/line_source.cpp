#include "common/line_source.h"

#include <algorithm>
#include <cstring>

#include "common/text_codec.h"

namespace lyrics {

std::size_t CountLines(std::string_view bytes) noexcept {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
}

void LineSource::ReadAll() noexcept {
    line_ += CountLines(bytes_.substr(std::min(position_, bytes_.size()))) - 1;
    position_ = bytes_.size();
}

std::string_view LineSource::TakeLine() noexcept {
    const std::string_view rest = bytes_.substr(position_);
    const void* found = std::memchr(rest.data(), '\n', rest.size());
    if (found == nullptr) {
        position_ = bytes_.size();
        return rest;
    }
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - rest.data());
    position_ += length + 1;
    ++line_;
    std::string_view line = rest.substr(0, length);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::optional<std::wstring> LineSource::ReadLine() {
    if (AtEndOfStream()) return std::nullopt;
    return DecodeAnsi(TakeLine());
}

bool LineSource::SkipLine() noexcept {
    if (AtEndOfStream()) return false;
    TakeLine();
    return true;
}

}  // namespace lyrics
