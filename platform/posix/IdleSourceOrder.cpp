#include "platform/posix/IdleSourceOrder.h"

namespace platform {

std::vector<IdleSourceKind> IdleSourceOrder(std::string_view qtPlatformName, bool waylandDisplaySet)
{
    using enum IdleSourceKind;
    if (qtPlatformName == "wayland")
        return {WaylandIdleNotify, MutterIdleMonitor};
    if (qtPlatformName == "xcb" && waylandDisplaySet)
        return {WaylandIdleNotify, MutterIdleMonitor, X11ScreenSaver};
    if (qtPlatformName == "xcb")
        return {X11ScreenSaver, MutterIdleMonitor};
    return {};
}

} // namespace platform
