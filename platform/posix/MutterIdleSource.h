#pragma once

#include "platform/IdleTime.h"

namespace platform {

// GNOME's idle monitor on the session bus; null when the bus or the monitor is not there.
std::unique_ptr<IdleSource> OpenMutterIdleSource();

} // namespace platform
