#include "tests/app/ReferenceService.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QThread>
#include <QUrl>
#include <httplib.h>

namespace {

constexpr int ProcessWaitMs = 10000;
constexpr int PollMs = 100;
// Another process may take the free port between the look-up and the service's bind.
constexpr int StartAttempts = 3;

int FreeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

QString ServicePath()
{
    return QStringLiteral(QUILLANE_SERVICE_EXE);
}

} // namespace

std::vector<QByteArray> PostedBodies(const std::vector<StoredRequest>& requests,
                                     const QString& page)
{
    std::vector<QByteArray> bodies;
    for (const StoredRequest& request : requests) {
        const QString path = QUrl(request.target).path();
        if (request.method == QStringLiteral("POST") &&
            path.endsWith(QStringLiteral("/") + page, Qt::CaseInsensitive))
            bodies.push_back(request.body);
    }
    return bodies;
}

ReferenceService::ReferenceService()
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    for (int attempt = 0; attempt < StartAttempts && !started_; ++attempt)
        started_ = StartOnFreePort();
}

ReferenceService::~ReferenceService()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(ProcessWaitMs)) {
        process_.kill();
        process_.waitForFinished(ProcessWaitMs);
    }
}

bool ReferenceService::Started() const
{
    return started_;
}

QString ReferenceService::Host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QString ReferenceService::UpdateFolder() const
{
    return folder_.filePath(QStringLiteral("update"));
}

bool ReferenceService::StartOnFreePort()
{
    port_ = FreeLoopbackPort();
    if (port_ == 0 || !folder_.isValid() || !QDir().mkpath(UpdateFolder()))
        return false;
    process_.start(ServicePath(),
                   {QStringLiteral("--listen"), Host(), QStringLiteral("--db"),
                    folder_.filePath(QStringLiteral("service.db")), QStringLiteral("--update-dir"),
                    UpdateFolder(), QStringLiteral("--demo")});
    return process_.waitForStarted(ProcessWaitMs) && WaitUntilAnswering();
}

bool ReferenceService::WaitUntilAnswering() const
{
    const QDeadlineTimer deadline(ProcessWaitMs);
    httplib::Client client("127.0.0.1", port_);
    client.set_connection_timeout(std::chrono::milliseconds(PollMs));
    while (!deadline.hasExpired() && process_.state() == QProcess::Running) {
        const auto answer = client.Get("/ConTest.htm");
        if (answer && answer->status == 200)
            return true;
        QThread::msleep(PollMs);
    }
    return false;
}

std::vector<StoredRequest> ReferenceService::Requests() const
{
    QProcess reader;
    reader.start(ServicePath(),
                 {QStringLiteral("--db"), folder_.filePath(QStringLiteral("service.db")),
                  QStringLiteral("requests")});
    std::vector<StoredRequest> requests;
    if (!reader.waitForFinished(ProcessWaitMs))
        return requests;
    for (const QByteArray& line : reader.readAllStandardOutput().split('\n')) {
        const QJsonObject row = QJsonDocument::fromJson(line).object();
        if (row.isEmpty())
            continue;
        requests.push_back(
            {row.value(QStringLiteral("method")).toString(),
             row.value(QStringLiteral("target")).toString(),
             row.value(QStringLiteral("status")).toInt(),
             QByteArray::fromHex(row.value(QStringLiteral("body_hex")).toString().toLatin1())});
    }
    return requests;
}

bool ReferenceService::WaitUntil(const std::function<bool(const std::vector<StoredRequest>&)>& done,
                                 std::chrono::milliseconds bound) const
{
    const QDeadlineTimer deadline(bound);
    while (!deadline.hasExpired()) {
        if (done(Requests()))
            return true;
        QThread::msleep(PollMs);
    }
    return done(Requests());
}
