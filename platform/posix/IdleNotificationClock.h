#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace platform {

// The idle time told by a compositor's idle notification: "idled" arrives when no input came
// for the notification's timeout, "resumed" when input comes again. While idle, the last
// input lies one timeout before the moment "idled" arrived.
class IdleNotificationClock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    explicit IdleNotificationClock(std::chrono::milliseconds timeout) : timeout_(timeout) {}

    void Idled(TimePoint now) { lastInput_ = now - timeout_; }
    void Resumed() { lastInput_.reset(); }

    // 0 while not idle; never negative.
    std::uint32_t IdleSeconds(TimePoint now) const
    {
        if (!lastInput_ || now <= *lastInput_)
            return 0;
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - *lastInput_);
        return static_cast<std::uint32_t>(seconds.count());
    }

private:
    std::chrono::milliseconds timeout_;
    std::optional<TimePoint> lastInput_;
};

} // namespace platform
