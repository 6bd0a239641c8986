#include "platform/ComputerName.h"

namespace platform {

namespace {

bool StartsCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

} // namespace

std::string CutComputerName(const std::string& name)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (StartsCharacter(name[i]) && ++characters > ComputerNameLength)
            return name.substr(0, i);
    }
    return name;
}

} // namespace platform
