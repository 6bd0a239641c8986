#include "platform/posix/WaylandIdleSource.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "platform/posix/IdleNotificationClock.h"

#include <QSocketNotifier>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace platform {
namespace {

// The shortest wait the notification allows for itself: the idle time is then late by at most
// this much before "idled" arrives.
constexpr std::chrono::milliseconds NotificationTimeout{1000};

// The connection and the objects bound on it, released in reverse order.
struct Connection
{
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    ~Connection()
    {
        if (notification)
            ext_idle_notification_v1_destroy(notification);
        if (notifier)
            ext_idle_notifier_v1_destroy(notifier);
        if (seat)
            wl_seat_destroy(seat);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_seat* seat = nullptr;
    ext_idle_notifier_v1* notifier = nullptr;
    ext_idle_notification_v1* notification = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t)
{
    auto* connection = static_cast<Connection*>(data);
    if (!connection->seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        connection->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (!connection->notifier &&
             std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
        connection->notifier = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener RegistryListener{OnGlobal, OnGlobalRemove};

class WaylandIdleSource : public IdleSource
{
public:
    explicit WaylandIdleSource(std::unique_ptr<Connection> connection)
        : connection_(std::move(connection)),
          readable_(wl_display_get_fd(connection_->display), QSocketNotifier::Read)
    {
        connection_->notification = ext_idle_notifier_v1_get_idle_notification(
            connection_->notifier, static_cast<std::uint32_t>(NotificationTimeout.count()),
            connection_->seat);
        ext_idle_notification_v1_add_listener(connection_->notification, &Listener, this);
        wl_display_flush(connection_->display);
        QObject::connect(&readable_, &QSocketNotifier::activated, [this] {
            if (!ReadEvents())
                readable_.setEnabled(false);
        });
    }

    std::optional<std::uint32_t> IdleSeconds() override
    {
        if (!ReadEvents())
            return std::nullopt;
        return clock_.IdleSeconds(std::chrono::steady_clock::now());
    }

private:
    // Handles whatever the compositor sent, without waiting; false once the connection failed.
    bool ReadEvents()
    {
        wl_display* display = connection_->display;
        while (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                return false;
        }
        wl_display_flush(display);
        pollfd ready{wl_display_get_fd(display), POLLIN, 0};
        if (::poll(&ready, 1, 0) > 0) {
            if (wl_display_read_events(display) < 0)
                return false;
        } else {
            wl_display_cancel_read(display);
        }
        return wl_display_dispatch_pending(display) >= 0;
    }

    static void OnIdled(void* data, ext_idle_notification_v1*)
    {
        static_cast<WaylandIdleSource*>(data)->clock_.Idled(std::chrono::steady_clock::now());
    }

    static void OnResumed(void* data, ext_idle_notification_v1*)
    {
        static_cast<WaylandIdleSource*>(data)->clock_.Resumed();
    }

    static constexpr ext_idle_notification_v1_listener Listener{OnIdled, OnResumed};

    std::unique_ptr<Connection> connection_;
    QSocketNotifier readable_;
    IdleNotificationClock clock_{NotificationTimeout};
};

} // namespace

std::unique_ptr<IdleSource> OpenWaylandIdleSource()
{
    auto connection = std::make_unique<Connection>();
    connection->display = wl_display_connect(nullptr);
    if (!connection->display)
        return nullptr;
    connection->registry = wl_display_get_registry(connection->display);
    wl_registry_add_listener(connection->registry, &RegistryListener, connection.get());
    if (wl_display_roundtrip(connection->display) < 0 || !connection->seat || !connection->notifier)
        return nullptr;
    return std::make_unique<WaylandIdleSource>(std::move(connection));
}

} // namespace platform
