#pragma once

#include <string>
#include <string_view>

namespace platform {

// Code page 949: Korean text with every Hangul syllable, as the settings file, the service's
// pages and its forms hold it. Windows converts with the system's code page 949, other systems
// with ICU's "windows-949"; both give the same text for the same bytes and the same bytes for
// the same text, invalid input included.

struct CodePage949Text
{
    std::u16string text;
    bool exact; // false when a byte sequence was not code page 949; each reads as U+FFFD
};

struct CodePage949Bytes
{
    std::string bytes;
    bool exact; // false when a character has no code; each is written as '?'
};

// A lead byte without its trail byte at the end of the bytes is invalid, not dropped.
CodePage949Text DecodeCodePage949(std::string_view bytes);
CodePage949Bytes EncodeCodePage949(std::u16string_view text);

} // namespace platform
