#include "platform/ComputerName.h"

#include "platform/win32/WideText.h"

#include <array>
#include <windows.h>

namespace platform {

std::string LocalComputerName()
{
    std::array<wchar_t, ComputerNameLength + 1> buffer{};
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!GetComputerNameW(buffer.data(), &size))
        return {};
    return Utf8FromWide(buffer.data(), size);
}

} // namespace platform
