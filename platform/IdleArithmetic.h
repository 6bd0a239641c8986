#pragma once

#include <cstdint>

namespace platform {

// Whole seconds between two readings of the system's 32-bit millisecond tick counter. The
// difference is taken modulo 2^32, so it stays right when the counter wrapped in between.
constexpr std::uint32_t IdleSecondsFromTicks(std::uint32_t now, std::uint32_t lastInput)
{
    return static_cast<std::uint32_t>(now - lastInput) / 1000U;
}

} // namespace platform
