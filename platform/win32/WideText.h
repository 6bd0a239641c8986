#pragma once

#include <string>

namespace platform {

// UTF-8 at the platform interfaces, UTF-16 at the Win32 calls.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, std::size_t length);

} // namespace platform
