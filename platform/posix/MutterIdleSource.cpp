#include "platform/posix/MutterIdleSource.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <algorithm>
#include <limits>

namespace platform {
namespace {

const QString MonitorService = QStringLiteral("org.gnome.Mutter.IdleMonitor");

// A late answer counts as "cannot tell" rather than holding up the caller's timer.
constexpr int AnswerTimeoutMs = 500;

class MutterIdleSource : public IdleSource
{
public:
    std::optional<std::uint32_t> IdleSeconds() override
    {
        const QDBusMessage call = QDBusMessage::createMethodCall(
            MonitorService, QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
            QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
        const QDBusReply<qulonglong> milliseconds =
            QDBusConnection::sessionBus().call(call, QDBus::Block, AnswerTimeoutMs);
        if (!milliseconds.isValid())
            return std::nullopt;
        return static_cast<std::uint32_t>(std::min<qulonglong>(
            milliseconds.value() / 1000, std::numeric_limits<std::uint32_t>::max()));
    }
};

} // namespace

std::unique_ptr<IdleSource> OpenMutterIdleSource()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(MonitorService).value())
        return nullptr;
    return std::make_unique<MutterIdleSource>();
}

} // namespace platform
