// The system's ANSI code page as the 8-bit code page.
#include "../text_codec.h"

#include <windows.h>

#include <algorithm>

namespace lyrics {

std::wstring DecodeAnsi(std::string_view bytes) {
    std::wstring out;
    std::size_t done = 0;
    // MultiByteToWideChar takes int lengths: convert in pieces for very long lines. Pieces end on
    // a byte boundary, which is also a character boundary in single-byte code pages; in double-byte
    // code pages a lead byte at the end of a piece is carried into the next one.
    constexpr std::size_t kPiece = 1u << 26;
    while (done < bytes.size()) {
        std::size_t take = std::min(kPiece, bytes.size() - done);
        if (done + take < bytes.size() && IsDBCSLeadByte(static_cast<BYTE>(bytes[done + take - 1]))) --take;
        if (take == 0) take = 1;
        const int inLength = static_cast<int>(take);
        const int outLength = MultiByteToWideChar(CP_ACP, 0, bytes.data() + done, inLength, nullptr, 0);
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(outLength));
        MultiByteToWideChar(CP_ACP, 0, bytes.data() + done, inLength, out.data() + at, outLength);
        done += take;
    }
    return out;
}

std::string EncodeAnsi(std::wstring_view text) {
    std::string out;
    std::size_t done = 0;
    constexpr std::size_t kPiece = 1u << 24;
    while (done < text.size()) {
        std::size_t take = std::min(kPiece, text.size() - done);
        if (done + take < text.size() && IS_HIGH_SURROGATE(text[done + take - 1])) --take;
        if (take == 0) take = 1;
        const int inLength = static_cast<int>(take);
        const int outLength = WideCharToMultiByte(CP_ACP, 0, text.data() + done, inLength, nullptr, 0, "?", nullptr);
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(outLength));
        WideCharToMultiByte(CP_ACP, 0, text.data() + done, inLength, out.data() + at, outLength, "?", nullptr);
        done += take;
    }
    return out;
}

} // namespace lyrics
