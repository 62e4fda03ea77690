#include "match/list_encoding.h"

#include "common/ansi_fit.h"
#include "common/text_codec.h"

namespace lyrics::match {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

ListBytes::ListBytes(ListEncoding encoding, std::size_t expectedCharacters) : encoding_(encoding) {
    bytes_.reserve(expectedCharacters);
    if (encoding_ == ListEncoding::Utf8) bytes_ += kUtf8Mark;
}

void ListBytes::WriteLine(std::wstring_view text) {
    if (!fits_) return;  // the list is written again as UTF-8: nothing more to learn here
    if (encoding_ == ListEncoding::Utf8) {
        bytes_ += EncodeUtf8(text);
    } else if (!AppendAnsiExactly(bytes_, text)) {
        fits_ = false;
        return;
    }
    bytes_ += kLineEnd;
}

void ListBytes::WriteBlankLines(int count) {
    for (int i = 0; i < count; ++i) bytes_ += kLineEnd;
}

}  // namespace lyrics::match
