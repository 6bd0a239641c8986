#include "platform/posix/X11IdleSource.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace platform {
namespace {

class X11IdleSource : public IdleSource
{
public:
    X11IdleSource(Display* display, XScreenSaverInfo* info) : display_(display), info_(info) {}
    X11IdleSource(const X11IdleSource&) = delete;
    X11IdleSource& operator=(const X11IdleSource&) = delete;

    ~X11IdleSource() override
    {
        XFree(info_);
        XCloseDisplay(display_);
    }

    std::optional<std::uint32_t> IdleSeconds() override
    {
        if (!XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info_))
            return std::nullopt;
        return static_cast<std::uint32_t>(info_->idle / 1000);
    }

private:
    Display* display_;
    XScreenSaverInfo* info_;
};

} // namespace

std::unique_ptr<IdleSource> OpenX11IdleSource()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    XScreenSaverInfo* info = nullptr;
    if (XScreenSaverQueryExtension(display, &eventBase, &errorBase))
        info = XScreenSaverAllocInfo();
    if (!info) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<X11IdleSource>(display, info);
}

} // namespace platform
