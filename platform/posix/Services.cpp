#include "platform/Services.h"

// No service control manager here: every service is unreadable and nothing can be started.

namespace platform {

int ServiceState(const std::string&, const std::string&)
{
    return 0;
}

bool StartSqlService(const std::string&, const std::string&, StartWaitBound)
{
    return false;
}

} // namespace platform
