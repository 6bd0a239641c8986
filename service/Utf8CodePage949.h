#pragma once

#include <string>
#include <string_view>

// Conversions between UTF-8 (the service's own text) and code page 949 (what the program sends
// and reads), with the full code page including the extra syllables (e.g. 똘).

// UTF-8 text as code page 949 bytes; characters outside the code page become "?".
std::string Utf8ToCodePage949(std::string_view utf8);

// Code page 949 bytes as UTF-8 text; false when the bytes are not valid code page 949.
bool CodePage949ToUtf8(std::string_view bytes, std::string& utf8);
