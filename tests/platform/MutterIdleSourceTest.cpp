#include "platform/posix/MutterIdleSource.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace {

const QString MonitorService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString MonitorPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");

// GNOME's idle monitor as the session bus shows it, answering from a thread of its own so that
// the source's blocking call from the test's thread gets its answer.
class FakeIdleMonitor : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

public:
    std::atomic<qulonglong> milliseconds{0};

public slots:
    qulonglong GetIdletime() { return milliseconds; }
};

// A session bus of the test's own, set before the process first uses the session bus.
class MutterIdle : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return;
        bus = new QProcess;
        bus->start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--print-address=1")});
        if (!bus->waitForReadyRead(10000))
            return;
        address = QString::fromLatin1(bus->readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLatin1());
    }

    static void TearDownTestSuite()
    {
        if (!bus)
            return;
        bus->terminate();
        bus->waitForFinished();
        delete bus;
    }

    void SetUp() override
    {
        if (address.isEmpty())
            GTEST_SKIP() << "no dbus-daemon";
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        thread.start();
        monitor.moveToThread(&thread);
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-mutter"));
        thread.quit();
        thread.wait();
    }

    void ServeMonitor()
    {
        QDBusConnection connection =
            QDBusConnection::connectToBus(address, QStringLiteral("fake-mutter"));
        ASSERT_TRUE(
            connection.registerObject(MonitorPath, &monitor, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(connection.registerService(MonitorService));
    }

    static inline QProcess* bus = nullptr;
    static inline QString address;
    QThread thread;
    FakeIdleMonitor monitor;
};

TEST_F(MutterIdle, IsAbsentWithoutTheMonitor)
{
    EXPECT_EQ(platform::OpenMutterIdleSource(), nullptr);
}

TEST_F(MutterIdle, TellsTheMonitorsMillisecondsAsWholeSecondsUntilItLeaves)
{
    ServeMonitor();
    const std::unique_ptr<platform::IdleSource> source = platform::OpenMutterIdleSource();
    ASSERT_NE(source, nullptr);

    const struct
    {
        qulonglong milliseconds;
        std::uint32_t seconds;
    } cases[] = {{0, 0}, {999, 0}, {1000, 1}, {1'800'000, 1800}, {0x1'0000'0000'0000, 0xFFFFFFFF}};
    for (const auto& c : cases) {
        monitor.milliseconds = c.milliseconds;
        EXPECT_EQ(source->IdleSeconds(), std::optional<std::uint32_t>(c.seconds))
            << c.milliseconds << " ms";
    }

    QDBusConnection::disconnectFromBus(QStringLiteral("fake-mutter"));
    EXPECT_EQ(source->IdleSeconds(), std::nullopt) << "the monitor left the bus";
}

} // namespace

#include "MutterIdleSourceTest.moc"
