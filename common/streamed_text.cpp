#include "common/streamed_text.h"

#include <memory>
#include <utility>

namespace lyrics {

StreamedText::StreamedText(FileReader file, EncodingChoice choice, TextShape shape, std::uint64_t size)
    : file_(std::move(file)), choice_(choice), shape_(shape), textSize_(size - choice.markLength) {}

Result<StreamedText> StreamedText::Open(const std::wstring& path, std::wstring_view what) {
    Result<FileReader> file = FileReader::Open(path, what);
    if (!file) return file.failure();
    TextScan scan;
    const auto buffer = std::make_unique<char[]>(std::size_t{1} << 16);
    for (;;) {
        if (const std::uint64_t zeros = file->SkipZeros(1)) {
            scan.FeedZeros(zeros);
            continue;
        }
        const Result<std::size_t> got = file->Read(buffer.get(), std::size_t{1} << 16);
        if (!got) return got.failure();
        if (*got == 0) break;
        scan.Feed(std::string_view(buffer.get(), *got));
    }
    if (const Status back = file->Rewind(); !back) return back.failure();
    return StreamedText(std::move(*file), scan.Encoding(), scan.Shape(), scan.Size());
}

Result<LineSource> StreamedText::Lines() {
    // The mark is read and dropped before the first line.
    std::size_t mark = choice_.markLength;
    while (mark > 0) {
        char dropped[4];
        const Result<std::size_t> got = file_.Read(dropped, mark);
        if (!got) return got.failure();
        if (*got == 0) break;
        mark -= *got;
    }
    return LineSource(file_, shape_);
}

}  // namespace lyrics
