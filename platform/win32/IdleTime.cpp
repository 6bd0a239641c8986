#include "platform/IdleTime.h"

#include "platform/IdleArithmetic.h"

#include <windows.h>

namespace platform {
namespace {

// The tick count of the session's last input against the tick count now.
class LastInputIdleSource : public IdleSource
{
public:
    std::optional<std::uint32_t> IdleSeconds() override
    {
        LASTINPUTINFO info{};
        info.cbSize = sizeof(info);
        if (!GetLastInputInfo(&info))
            return std::nullopt;
        return IdleSecondsFromTicks(GetTickCount(), info.dwTime);
    }
};

} // namespace

std::unique_ptr<IdleSource> CreateSystemIdleSource()
{
    return std::make_unique<LastInputIdleSource>();
}

} // namespace platform
