#include "platform/ComputerName.h"

#include <array>
#include <unistd.h>

namespace platform {

std::string LocalComputerName()
{
    std::array<char, 256> buffer{};
    if (gethostname(buffer.data(), buffer.size() - 1) != 0)
        return {};
    return CutComputerName(buffer.data());
}

} // namespace platform
