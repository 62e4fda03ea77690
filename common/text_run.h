// TextRun: texts end to end in one buffer, each found again by its number. Many short texts cost two
// allocations in all rather than one each, and lie next to each other in memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lyrics {

template <typename Char>
class TextRun {
public:
    void Reserve(std::size_t characters, std::size_t texts) {
        text_.reserve(characters);
        start_.reserve(texts);
    }
    void Add(std::basic_string_view<Char> text) {
        start_.push_back(text_.size());
        text_ += text;
    }
    std::size_t Size() const noexcept { return start_.size(); }
    std::size_t Characters() const noexcept { return text_.size(); }
    std::basic_string_view<Char> operator[](std::size_t i) const noexcept {
        const std::size_t end = i + 1 < start_.size() ? start_[i + 1] : text_.size();
        return std::basic_string_view<Char>(text_).substr(start_[i], end - start_[i]);
    }

private:
    std::basic_string<Char> text_;
    std::vector<std::size_t> start_;
};

}  // namespace lyrics
