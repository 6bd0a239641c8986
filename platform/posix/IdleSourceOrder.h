#pragma once

#include <string_view>
#include <vector>

namespace platform {

enum class IdleSourceKind
{
    X11ScreenSaver,
    WaylandIdleNotify,
    MutterIdleMonitor
};

// The idle sources to try, best first, for the Qt platform the program runs on. An X11 client
// on a Wayland desktop (XWayland) sees only the input sent to X11 windows, so the desktop's own
// sources come before the X server's there. Other platforms (offscreen, ...) have none.
std::vector<IdleSourceKind> IdleSourceOrder(std::string_view qtPlatformName,
                                            bool waylandDisplaySet);

} // namespace platform
