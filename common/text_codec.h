// The 8-bit text codec: how playlists are read and the unmatch list is written.
// On Windows this is the ANSI code page (CP_ACP); elsewhere Windows-1252, whose five undefined
// codes map to the control character of the same number. One byte is one character.
// A character the code page cannot hold is written as "?".
#pragma once

#include <string>
#include <string_view>

namespace lyrics {

std::wstring DecodeAnsi(std::string_view bytes);
std::string EncodeAnsi(std::wstring_view text);

// Windows-1252 on every platform: the code page of numeric character references in playlists.
wchar_t Windows1252Char(unsigned char byte);

// UTF-8 for file names on Linux; a byte that does not start a valid sequence is taken as
// Windows-1252, one character.
std::wstring DecodeUtf8Lenient(std::string_view bytes);
std::string EncodeUtf8(std::wstring_view text);

// File names on Linux are bytes, and a name must reach the system as the bytes it was given:
// valid UTF-8 becomes its characters and every other byte b the unpaired surrogate U+DC00 + b,
// which EncodePathBytes turns back into b.
std::wstring DecodePathBytes(std::string_view bytes);
std::string EncodePathBytes(std::wstring_view text);
// The text with such escaped bytes shown as Windows-1252 characters, for a person to read.
std::wstring ShowEscapedBytes(std::wstring_view text);

}  // namespace lyrics
