// StreamedText: the text of a file read a chunk at a time, so that memory follows what the reader
// keeps, not the file's size. A first pass chooses the encoding and the line end (which depend on
// the whole file, as common/text_decoding.h says); the lines are then cut in a second pass.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/line_source.h"
#include "common/result.h"
#include "common/text_decoding.h"

namespace lyrics {

class StreamedText {
public:
    // Opens the file and makes the first pass; what names it in a failure ("playlist").
    static Result<StreamedText> Open(const std::wstring& path, std::wstring_view what);

    TextEncoding encoding() const noexcept { return shape_.encoding; }
    // Bytes of text after the byte-order mark.
    std::uint64_t TextSize() const noexcept { return textSize_; }
    // The lines from the first, read from the file as they are taken. Once only; this object must
    // stay where it is while the source reads. Ask the source for a failure of the read.
    Result<LineSource> Lines();

private:
    StreamedText(FileReader file, EncodingChoice choice, TextShape shape, std::uint64_t size);

    FileReader file_;
    EncodingChoice choice_;
    TextShape shape_;
    std::uint64_t textSize_ = 0;
};

}  // namespace lyrics
