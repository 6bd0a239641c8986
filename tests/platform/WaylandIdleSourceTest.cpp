#include "platform/posix/WaylandIdleSource.h"

#include "ext-idle-notify-v1-server-protocol.h"

#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <wayland-server.h>

namespace {

// A compositor reduced to a seat and, if asked for, the idle notifier. It runs on a thread of
// its own; the test tells it through a pipe to send "idled" ('i') or "resumed" ('r'), or to end
// ('q').
class FakeCompositor
{
public:
    FakeCompositor(const QString& runtimeDir, bool withNotifier)
    {
        qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
        display_ = wl_display_create();
        socket_ = wl_display_add_socket_auto(display_);
        wl_global_create(display_, &wl_seat_interface, 1, this, &FakeCompositor::BindSeat);
        if (withNotifier)
            wl_global_create(display_, &ext_idle_notifier_v1_interface, 1, this,
                             &FakeCompositor::BindNotifier);
        if (::pipe(commands_) == 0)
            wl_event_loop_add_fd(wl_display_get_event_loop(display_), commands_[0],
                                 WL_EVENT_READABLE, &FakeCompositor::OnCommand, this);
        thread_ = std::thread([this] { wl_display_run(display_); });
    }
    FakeCompositor(const FakeCompositor&) = delete;
    FakeCompositor& operator=(const FakeCompositor&) = delete;

    ~FakeCompositor()
    {
        Send('q');
        thread_.join();
        wl_display_destroy_clients(display_);
        wl_display_destroy(display_);
        ::close(commands_[0]);
        ::close(commands_[1]);
    }

    const char* Socket() const { return socket_; }

    void Send(char command) { ASSERT_EQ(::write(commands_[1], &command, 1), 1); }

private:
    static void BindSeat(wl_client* client, void*, std::uint32_t version, std::uint32_t id)
    {
        wl_resource_create(client, &wl_seat_interface, static_cast<int>(version), id);
    }

    static void BindNotifier(wl_client* client, void* data, std::uint32_t version, std::uint32_t id)
    {
        wl_resource* notifier = wl_resource_create(client, &ext_idle_notifier_v1_interface,
                                                   static_cast<int>(version), id);
        wl_resource_set_implementation(notifier, &NotifierRequests, data, nullptr);
    }

    static void Destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }

    static void GetNotification(wl_client* client, wl_resource* notifier, std::uint32_t id,
                                std::uint32_t, wl_resource*)
    {
        auto* compositor = static_cast<FakeCompositor*>(wl_resource_get_user_data(notifier));
        compositor->notification_ = wl_resource_create(client, &ext_idle_notification_v1_interface,
                                                       wl_resource_get_version(notifier), id);
        wl_resource_set_implementation(compositor->notification_, &NotificationRequests, nullptr,
                                       nullptr);
    }

    static int OnCommand(int fd, std::uint32_t, void* data)
    {
        auto* compositor = static_cast<FakeCompositor*>(data);
        char command = 0;
        if (::read(fd, &command, 1) != 1 || command == 'q')
            wl_display_terminate(compositor->display_);
        else if (compositor->notification_ && command == 'i')
            ext_idle_notification_v1_send_idled(compositor->notification_);
        else if (compositor->notification_ && command == 'r')
            ext_idle_notification_v1_send_resumed(compositor->notification_);
        wl_display_flush_clients(compositor->display_);
        return 0;
    }

    static constexpr struct ext_idle_notifier_v1_interface NotifierRequests
    {
        Destroy, GetNotification
    };
    static constexpr struct ext_idle_notification_v1_interface NotificationRequests
    {
        Destroy
    };

    wl_display* display_ = nullptr;
    const char* socket_ = nullptr;
    wl_resource* notification_ = nullptr;
    int commands_[2] = {-1, -1};
    std::thread thread_;
};

// Asks the source until it answers the expected value, for a few seconds at most.
std::optional<std::uint32_t> WaitForAnswer(platform::IdleSource& source,
                                           std::optional<std::uint32_t> expected)
{
    const QDeadlineTimer deadline(std::chrono::seconds(5));
    std::optional<std::uint32_t> answer = source.IdleSeconds();
    while (answer != expected && !deadline.hasExpired()) {
        QThread::msleep(10);
        answer = source.IdleSeconds();
    }
    return answer;
}

class WaylandIdle : public ::testing::Test
{
protected:
    void TearDown() override
    {
        Restore("XDG_RUNTIME_DIR", savedRuntimeDir);
        Restore("WAYLAND_DISPLAY", savedWaylandDisplay);
    }

    static std::optional<QByteArray> Saved(const char* name)
    {
        if (!qEnvironmentVariableIsSet(name))
            return std::nullopt;
        return qgetenv(name);
    }

    static void Restore(const char* name, const std::optional<QByteArray>& value)
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }

    QTemporaryDir runtimeDir;
    const std::optional<QByteArray> savedRuntimeDir = Saved("XDG_RUNTIME_DIR");
    const std::optional<QByteArray> savedWaylandDisplay = Saved("WAYLAND_DISPLAY");
};

TEST_F(WaylandIdle, IdledCountsFromOneSecondBeforeAndResumedIsActive)
{
    FakeCompositor compositor(runtimeDir.path(), true);
    qputenv("WAYLAND_DISPLAY", compositor.Socket());
    const std::unique_ptr<platform::IdleSource> source = platform::OpenWaylandIdleSource();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->IdleSeconds(), std::optional<std::uint32_t>(0));

    compositor.Send('i');
    EXPECT_EQ(WaitForAnswer(*source, 1), std::optional<std::uint32_t>(1));
    compositor.Send('r');
    EXPECT_EQ(WaitForAnswer(*source, 0), std::optional<std::uint32_t>(0));
}

TEST_F(WaylandIdle, IsAbsentWhenTheCompositorLacksTheNotifier)
{
    FakeCompositor compositor(runtimeDir.path(), false);
    qputenv("WAYLAND_DISPLAY", compositor.Socket());
    EXPECT_EQ(platform::OpenWaylandIdleSource(), nullptr);
}

TEST_F(WaylandIdle, CannotTellOnceTheCompositorIsGone)
{
    auto compositor = std::make_unique<FakeCompositor>(runtimeDir.path(), true);
    qputenv("WAYLAND_DISPLAY", compositor->Socket());
    const std::unique_ptr<platform::IdleSource> source = platform::OpenWaylandIdleSource();
    ASSERT_NE(source, nullptr);
    compositor.reset();
    EXPECT_EQ(WaitForAnswer(*source, std::nullopt), std::nullopt);
}

} // namespace
