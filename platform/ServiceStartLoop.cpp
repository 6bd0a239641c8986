#include "platform/ServiceStartLoop.h"

#include <algorithm>

namespace platform {

bool WaitForServiceStart(const StatusQuery& query, const SleepFunction& sleep, StartWaitBound bound)
{
    std::optional<ServiceStatus> status = query();
    if (!status)
        return false;
    std::chrono::milliseconds waited{0};
    for (int round = 0; status->state != ServiceRunning; ++round) {
        if (round == bound.rounds || waited >= bound.totalWait)
            return false;
        const std::uint32_t checkPoint = status->checkPoint;
        const std::chrono::milliseconds wait = std::min<std::chrono::milliseconds>(
            std::chrono::milliseconds(status->waitHint), bound.totalWait - waited);
        sleep(wait);
        waited += wait;
        status = query();
        if (!status)
            return false;
        if (checkPoint > status->checkPoint)
            break;
    }
    return status->state == ServiceRunning;
}

} // namespace platform
