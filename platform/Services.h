#pragma once

#include "platform/ServiceStartLoop.h"

#include <string>

namespace platform {

// The state of a service on a machine as the service control manager reports it
// (1 stopped, 2 start pending, 3 stop pending, 4 running, 5 continue pending, 6 pause pending,
// 7 paused), or 0 when it cannot be read for any reason. Names are UTF-8; the machine name is
// passed on unchanged. Platforms without a service control manager answer 0.
int ServiceState(const std::string& machine, const std::string& service);

// Asks the service control manager to start the service and waits while it reports progress,
// within the bound. Yes when the service reports running at the end. Platforms without a
// service control manager answer no.
bool StartSqlService(const std::string& machine, const std::string& service,
                     StartWaitBound bound = DefaultStartWaitBound);

} // namespace platform
