#pragma once

#include "platform/IdleTime.h"

#include <cstdint>

// The idle seconds the presence reports go by. Where the system cannot tell, the user counts as
// active: the program runs, so the computer is in use. That is logged once, not every second.
class IdleWatch
{
public:
    explicit IdleWatch(platform::IdleSource& source) : source_(source) {}

    std::uint32_t IdleSecondsOrActive();

private:
    platform::IdleSource& source_;
    bool unknownLogged_ = false;
};
