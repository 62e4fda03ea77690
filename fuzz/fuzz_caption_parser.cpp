// TitleFromCaption on arbitrary captions (any window may set one): it must neither crash nor hang,
// and a title it gives must be a non-empty piece of the caption.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "orlisk/caption_parser.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "TitleFromCaption: %s\n", what);
        std::abort();
    }
}

}  // namespace

// Two bytes make one UTF-16 unit, as window captions are.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring caption;
    for (std::size_t i = 0; i + 1 < size; i += 2) caption += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    const lyrics::orlisk::CaptionResult result = lyrics::orlisk::TitleFromCaption(caption);
    if (result.kind == lyrics::orlisk::CaptionKind::Title) {
        Check(!result.title.empty(), "an empty title");
        Check(caption.find(result.title) != std::wstring::npos, "a title that is not in the caption");
    } else {
        Check(result.title.empty(), "a title without a song");
    }
    Check(lyrics::orlisk::IsFixedCaption(caption) == (result.kind == lyrics::orlisk::CaptionKind::Skipped),
          "skipped other than for a fixed caption");
    return 0;
}
