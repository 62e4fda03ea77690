#include "common/line_source.h"

#include <cstring>

#include "common/line_ends.h"
#include "common/text_codec.h"
#include "common/text_decoding.h"

namespace lyrics {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;
constexpr auto kNone = std::string_view::npos;

bool IsUtf16(TextEncoding encoding) noexcept { return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be; }

}  // namespace

LineSource::LineSource(std::string_view bytes) noexcept
    : LineSource(bytes, TextShape{TextEncoding::EightBit, LineEndCharacter(bytes)}) {}

LineSource::LineSource(std::string_view text, TextShape shape) noexcept
    : shape_(shape), unit_(IsUtf16(shape.encoding) ? 2 : 1), text_(text), end_(text.size()) {}

LineSource::LineSource(ByteSupply& supply, TextShape shape)
    : shape_(shape), unit_(IsUtf16(shape.encoding) ? 2 : 1), supply_(&supply) {}

std::size_t CountLines(std::string_view bytes) noexcept { return CountLineEnds(bytes, LineEndCharacter(bytes)) + 1; }

std::string_view LineSource::Window() const noexcept {
    const std::string_view all = supply_ ? std::string_view(buffer_) : text_;
    return all.substr(begin_, end_ - begin_);
}

LineSource::Cut LineSource::FindLineEnd(std::size_t from) const noexcept {
    const std::string_view window = Window();
    const char end = shape_.lineEnd;
    if (unit_ == 1) {
        const std::size_t at = window.find(end, from);
        if (at == kNone) return {kNone, kNone};
        const bool crBefore = end == '\n' && at > 0 && window[at - 1] == '\r';
        return {crBefore ? at - 1 : at, at + 1};
    }
    // A code unit of two bytes: the line end's byte beside a zero, in the byte order's place.
    const bool bigEndian = shape_.encoding == TextEncoding::Utf16Be;
    const auto isUnit = [&](std::size_t at, char c) {
        return window[at + (bigEndian ? 1 : 0)] == c && window[at + (bigEndian ? 0 : 1)] == '\0';
    };
    for (std::size_t search = from; search < window.size();) {
        const std::size_t at = window.find(end, search);
        if (at == kNone) break;
        const std::size_t unitStart = at - (bigEndian ? 1 : 0);
        if (at < (bigEndian ? 1u : 0u) || unitStart % 2 != 0 || unitStart + 2 > window.size() || !isUnit(unitStart, end)) {
            search = at + 1;
            continue;
        }
        const bool crBefore = end == '\n' && unitStart >= 2 && isUnit(unitStart - 2, '\r');
        return {crBefore ? unitStart - 2 : unitStart, unitStart + 2};
    }
    return {kNone, kNone};
}

bool LineSource::Refill(std::size_t keep) {
    if (!supply_ || drained_) return false;
    const std::size_t rest = end_ - begin_ - keep;
    if (rest > 0 && begin_ + keep > 0) std::memmove(buffer_.data(), buffer_.data() + begin_ + keep, rest);
    if (buffer_.size() < rest + kChunk) buffer_.resize(rest + kChunk);
    begin_ = 0;
    end_ = rest;
    const Result<std::size_t> got = supply_->Read(buffer_.data() + rest, kChunk);
    if (!got) failure_ = got.failure();
    if (!got || *got == 0) {
        drained_ = true;
        return false;
    }
    end_ += *got;
    return true;
}

std::string_view LineSource::TakeLine(bool keep) {
    std::size_t from = 0;
    for (;;) {
        const Cut cut = FindLineEnd(from);
        if (cut.length != kNone) {
            const std::string_view line = Window().substr(0, cut.end);
            begin_ += cut.length;
            ++line_;
            return line;
        }
        // Only whole code units have been searched; a line end may begin in a last odd byte.
        const std::size_t searched = (end_ - begin_) / unit_ * unit_;
        const std::size_t dropped = keep ? 0 : searched;
        // Zeros hold no line end: a run of them the supply knows of is passed over unread, in
        // whole code units once the window is empty.
        if (!keep && supply_ && searched == end_ - begin_) supply_->SkipZeros(unit_);
        if (!Refill(dropped)) break;
        from = searched - dropped;
    }
    const std::string_view line = Window();
    begin_ = end_;
    return line;
}

bool LineSource::AtEndOfStream() { return begin_ == end_ && !Refill(0); }

std::optional<std::wstring> LineSource::ReadLine() {
    if (AtEndOfStream()) return std::nullopt;
    return Decode(TakeLine(true));
}

bool LineSource::SkipLine() {
    if (AtEndOfStream()) return false;
    TakeLine(false);
    return true;
}

void LineSource::ReadAll() {
    while (SkipLine()) {
    }
}

std::wstring LineSource::Decode(std::string_view line) const {
    switch (shape_.encoding) {
        case TextEncoding::EightBit:
            break;
        case TextEncoding::Utf8:
            return DecodeUtf8Replacing(line);
        case TextEncoding::Utf16Le:
            return DecodeUtf16(line, false);
        case TextEncoding::Utf16Be:
            return DecodeUtf16(line, true);
    }
    return DecodeAnsi(line);
}

}  // namespace lyrics
