#include "platform/DocumentOpener.h"

#include "platform/win32/WideText.h"

// shellapi.h needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace platform {

// The "open" verb with no parameters, no working folder and the show command 0.
bool OpenDocument(const std::string& path)
{
    const std::wstring file = WideFromUtf8(path);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_HIDE));
    return result > 32;
}

} // namespace platform
