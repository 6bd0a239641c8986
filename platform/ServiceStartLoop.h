#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

// What one status query of a service reports.
struct ServiceStatus
{
    std::uint32_t state = 0; // 1 stopped ... 4 running ... 7 paused
    std::uint32_t checkPoint = 0;
    std::uint32_t waitHint = 0; // milliseconds
};

inline constexpr std::uint32_t ServiceRunning = 4;

// Ends the wait for a starting service that keeps reporting progress without ever running
// (after a failed start a service reports the same checkpoint and a wait hint of 0 forever).
struct StartWaitBound
{
    std::chrono::milliseconds totalWait; // the sum of the waits slept
    int rounds;                          // the number of waits
};

// At most two minutes of waiting, and at most 600 rounds so that a service reporting a wait
// hint of 0 is given up after a burst of queries rather than spinning for two minutes.
inline constexpr StartWaitBound DefaultStartWaitBound{std::chrono::seconds(120), 600};

using StatusQuery = std::function<std::optional<ServiceStatus>()>;
using SleepFunction = std::function<void(std::chrono::milliseconds)>;

// Waits for a service whose start was just requested: queries its status, and while it is not
// running sleeps for the reported wait hint and queries again. Stops when the query fails, when
// the checkpoint goes backwards, or at the bound (the last wait is cut to what is left of the
// total). Yes when the last status seen is running.
bool WaitForServiceStart(const StatusQuery& query, const SleepFunction& sleep,
                         StartWaitBound bound = DefaultStartWaitBound);

} // namespace platform
