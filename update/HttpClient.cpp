#include "update/HttpClient.h"

#include "core/requests/NetworkThread.h"
#include "platform/SessionEnd.h"

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <algorithm>
#include <future>
#include <limits>

namespace {

using std::chrono::milliseconds;

// How often the waiting thread looks whether the answer is in, between looks at the session.
constexpr int AnswerLookMs = 20;

// The longest interval a QTimer takes.
constexpr milliseconds LongestTimer{std::numeric_limits<int>::max()};

bool IsSuccess(int status)
{
    return status >= 200 && status < 300;
}

int StatusOf(const QNetworkReply& reply)
{
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

QString TimeRanOut()
{
    return QStringLiteral("the time for the update's requests ran out");
}

// What has been written of one answer, and why the request stopped early.
struct Progress
{
    qint64 written = 0;
    QString writeError;
};

milliseconds FloorOf(const AnswerDeadline& deadline)
{
    return deadline.floor > milliseconds::zero() ? deadline.floor : RequestTimeout();
}

// The time the whole answer may take, once its length is known: at least the floor, for a large
// answer its length at the lowest rate, and never more than a timer can wait.
milliseconds TimeFor(const AnswerDeadline& deadline, qint64 declaredLength)
{
    const milliseconds floor = FloorOf(deadline);
    if (deadline.lowestBytesPerSecond <= 0 || declaredLength <= 0)
        return floor;
    const double atLowestRate =
        double(declaredLength) * 1000.0 / double(deadline.lowestBytesPerSecond);
    return std::max(floor,
                    milliseconds(qint64(std::min(atLowestRate, double(LongestTimer.count())))));
}

// Starts the timer for what is left of the answer's time, never past the client's deadline.
void StartFor(QTimer& timer, milliseconds answerTime, const QElapsedTimer& clock,
              const QDeadlineTimer& latest)
{
    const milliseconds left = answerTime - milliseconds(clock.elapsed());
    const milliseconds untilLatest =
        std::chrono::duration_cast<milliseconds>(latest.remainingTimeAsDuration());
    timer.start(std::clamp(std::min(left, untilLatest), milliseconds::zero(), LongestTimer));
}

// Ends the request when the whole answer has not arrived in time, or at once when its headers
// show that its body is not wanted: an error status, or a declared length over the limit. The
// time is set anew from the declared length once the headers are in.
void Bound(QNetworkReply* reply, const AnswerDeadline& deadline, qint64 maxBytes,
           const QDeadlineTimer& latest, const std::shared_ptr<Progress>& progress)
{
    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    auto limit = std::make_shared<milliseconds>(FloorOf(deadline));
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    StartFor(*timer, *limit, *clock, latest);
    QObject::connect(timer, &QTimer::timeout, reply, [reply, progress, limit, latest] {
        progress->writeError = latest.hasExpired()
                                   ? TimeRanOut()
                                   : QStringLiteral("the answer did not arrive within %1 s")
                                         .arg(double(limit->count()) / 1000);
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, timer,
                     [reply, timer, deadline, maxBytes, latest, progress, limit, clock] {
                         if (!IsSuccess(StatusOf(*reply))) {
                             reply->abort();
                             return;
                         }
                         const qint64 declared =
                             reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
                         if (declared > maxBytes) {
                             progress->writeError =
                                 QStringLiteral("the answer declares %1 bytes, more than %2")
                                     .arg(declared)
                                     .arg(maxBytes);
                             reply->abort();
                             return;
                         }
                         *limit = TimeFor(deadline, declared);
                         StartFor(*timer, *limit, *clock, latest);
                     });
}

// The answer's body so far goes to the sink; a failed write or an answer over the limit ends the
// request.
bool Drain(QNetworkReply& reply, QIODevice& sink, qint64 maxBytes, Progress& progress)
{
    if (!IsSuccess(StatusOf(reply))) {
        reply.readAll();
        return true;
    }
    const QByteArray bytes = reply.readAll();
    progress.written += bytes.size();
    if (progress.written > maxBytes) {
        progress.writeError = QStringLiteral("the answer is longer than %1 bytes").arg(maxBytes);
        return false;
    }
    if (sink.write(bytes) == bytes.size())
        return true;
    progress.writeError = sink.errorString();
    return false;
}

HttpResult ResultOf(const QNetworkReply& reply, const QString& writeError)
{
    const int status = StatusOf(reply);
    if (!writeError.isEmpty())
        return {HttpResult::Kind::OtherError, status, writeError};
    if (status != 0 && !IsSuccess(status))
        return {HttpResult::Kind::HttpError, status, reply.errorString()};
    switch (reply.error()) {
    case QNetworkReply::NoError:
        return {HttpResult::Kind::Ok, status, {}};
    case QNetworkReply::RemoteHostClosedError:
        return {HttpResult::Kind::ConnectionClosed, status, reply.errorString()};
    default:
        return {HttpResult::Kind::OtherError, status, reply.errorString()};
    }
}

QNetworkRequest RequestFor(const QString& url)
{
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Accept", "text/html, */*");
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible; Indy Library)");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(int(RequestTimeout().count()));
    return request;
}

} // namespace

HttpClient::HttpClient(QDeadlineTimer deadline) : deadline_(deadline) {}

HttpResult HttpClient::Get(const QString& url, QIODevice& sink, qint64 maxBytes,
                           AnswerDeadline deadline)
{
    if (deadline_.hasExpired())
        return {HttpResult::Kind::OtherError, 0, TimeRanOut()};
    std::promise<HttpResult> answer;
    std::future<HttpResult> result = answer.get_future();
    RunOnNetworkThread([&answer, &sink, url, maxBytes, deadline, latest = deadline_] {
        QNetworkReply* reply = NetworkManager().get(RequestFor(url));
        auto progress = std::make_shared<Progress>();
        Bound(reply, deadline, maxBytes, latest, progress);
        QObject::connect(reply, &QNetworkReply::readyRead, reply,
                         [reply, &sink, maxBytes, progress] {
                             if (!Drain(*reply, sink, maxBytes, *progress))
                                 reply->abort();
                         });
        QObject::connect(reply, &QNetworkReply::finished, reply,
                         [reply, &sink, &answer, maxBytes, progress] {
                             if (progress->writeError.isEmpty() && reply->isOpen())
                                 Drain(*reply, sink, maxBytes, *progress);
                             answer.set_value(ResultOf(*reply, progress->writeError));
                             reply->deleteLater();
                         });
    });
    while (result.wait_for(std::chrono::seconds::zero()) != std::future_status::ready)
        platform::SleepWatchingSessionEnd(AnswerLookMs);
    return result.get();
}
