#include "common/line_source.h"

#include <algorithm>

#include "common/line_ends.h"
#include "common/text_codec.h"

namespace lyrics {

LineSource::LineSource(std::string_view bytes) noexcept
    : bytes_(bytes), lineEnd_(static_cast<wchar_t>(LineEndCharacter(bytes))), size_(bytes.size()) {}

LineSource::LineSource(std::wstring_view text) noexcept
    : text_(text), decoded_(true), lineEnd_(LineEndCharacter(text)), size_(text.size()) {}

std::size_t CountLines(std::string_view bytes) noexcept { return CountLineEnds(bytes, LineEndCharacter(bytes)) + 1; }

std::size_t CountLines(std::wstring_view text) noexcept { return CountLineEnds(text, LineEndCharacter(text)) + 1; }

void LineSource::ReadAll() noexcept {
    const std::size_t from = std::min(position_, size_);
    line_ +=
        decoded_ ? CountLineEnds(text_.substr(from), lineEnd_) : CountLineEnds(bytes_.substr(from), static_cast<char>(lineEnd_));
    position_ = size_;
}

std::optional<std::wstring> LineSource::ReadLine() {
    if (AtEndOfStream()) return std::nullopt;
    if (decoded_) {
        std::wstring_view line;
        if (TakeLineAt(text_, lineEnd_, position_, line)) ++line_;
        return std::wstring(line);
    }
    std::string_view line;
    if (TakeLineAt(bytes_, static_cast<char>(lineEnd_), position_, line)) ++line_;
    return DecodeAnsi(line);
}

bool LineSource::SkipLine() noexcept {
    if (AtEndOfStream()) return false;
    if (decoded_) {
        std::wstring_view line;
        if (TakeLineAt(text_, lineEnd_, position_, line)) ++line_;
    } else {
        std::string_view line;
        if (TakeLineAt(bytes_, static_cast<char>(lineEnd_), position_, line)) ++line_;
    }
    return true;
}

}  // namespace lyrics
