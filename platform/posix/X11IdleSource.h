#pragma once

#include "platform/IdleTime.h"

namespace platform {

// The X server's screen-saver extension on the display named by $DISPLAY, through a connection
// of its own; null when there is no such display or extension.
std::unique_ptr<IdleSource> OpenX11IdleSource();

} // namespace platform
