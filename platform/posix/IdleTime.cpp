#include "platform/IdleTime.h"

#include "platform/posix/IdleSourceOrder.h"
#include "platform/posix/MutterIdleSource.h"
#include "platform/posix/WaylandIdleSource.h"
#include "platform/posix/X11IdleSource.h"

#include <QGuiApplication>
#include <QLoggingCategory>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcIdleSource, "quillane.idle")

// Answers for a desktop where no source works.
class UnknownIdleSource : public IdleSource
{
public:
    std::optional<std::uint32_t> IdleSeconds() override { return std::nullopt; }
};

std::unique_ptr<IdleSource> Open(IdleSourceKind kind)
{
    switch (kind) {
    case IdleSourceKind::X11ScreenSaver:
        return OpenX11IdleSource();
    case IdleSourceKind::WaylandIdleNotify:
        return OpenWaylandIdleSource();
    case IdleSourceKind::MutterIdleMonitor:
        return OpenMutterIdleSource();
    }
    return nullptr;
}

const char* Name(IdleSourceKind kind)
{
    switch (kind) {
    case IdleSourceKind::X11ScreenSaver:
        return "the X server's screen saver extension";
    case IdleSourceKind::WaylandIdleNotify:
        return "the compositor's idle notification";
    case IdleSourceKind::MutterIdleMonitor:
        return "GNOME's idle monitor";
    }
    return "";
}

} // namespace

std::unique_ptr<IdleSource> CreateSystemIdleSource()
{
    const QString platformName = QGuiApplication::platformName();
    const bool waylandDisplaySet = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    for (const IdleSourceKind kind :
         IdleSourceOrder(platformName.toStdString(), waylandDisplaySet)) {
        if (auto source = Open(kind)) {
            qCInfo(lcIdleSource) << "idle time from" << Name(kind);
            return source;
        }
    }
    qCInfo(lcIdleSource) << "no idle source on the" << platformName << "platform";
    return std::make_unique<UnknownIdleSource>();
}

} // namespace platform
