#pragma once

#include "platform/IdleTime.h"

namespace platform {

// The compositor's ext-idle-notify-v1 notification on the first seat, through a connection of
// its own; null when there is no compositor or it lacks the notifier.
std::unique_ptr<IdleSource> OpenWaylandIdleSource();

} // namespace platform
