#include "HttpClient.h"

#include "NetworkThread.h"

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <algorithm>
#include <future>

namespace {

bool IsSuccess(int status)
{
    return status >= 200 && status < 300;
}

int StatusOf(const QNetworkReply& reply)
{
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// What has been written of one answer, and why the writing stopped.
struct Progress
{
    qint64 written = 0;
    QString writeError;
};

std::chrono::milliseconds FloorOf(const AnswerDeadline& deadline)
{
    return deadline.floor > std::chrono::milliseconds::zero() ? deadline.floor : RequestTimeout();
}

// The time the whole answer may take, once its length is known.
std::chrono::milliseconds TimeFor(const AnswerDeadline& deadline, qint64 declaredLength)
{
    const std::chrono::milliseconds floor = FloorOf(deadline);
    if (deadline.lowestBytesPerSecond <= 0 || declaredLength <= 0)
        return floor;
    const std::chrono::milliseconds atLowestRate(declaredLength * 1000 /
                                                 deadline.lowestBytesPerSecond);
    return std::max(floor, atLowestRate);
}

// Ends the request when the whole answer has not arrived in time; the time is set anew from the
// declared length once the headers are in.
void Bound(QNetworkReply* reply, const AnswerDeadline& deadline,
           const std::shared_ptr<Progress>& progress)
{
    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    auto limit = std::make_shared<std::chrono::milliseconds>(FloorOf(deadline));
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->start(*limit);
    QObject::connect(timer, &QTimer::timeout, reply, [reply, progress, limit] {
        progress->writeError = QStringLiteral("the answer did not arrive within %1 s")
                                   .arg(double(limit->count()) / 1000);
        reply->abort();
    });
    QObject::connect(
        reply, &QNetworkReply::metaDataChanged, timer, [reply, timer, deadline, limit, clock] {
            *limit =
                TimeFor(deadline, reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
            timer->start(std::max<qint64>(0, limit->count() - clock->elapsed()));
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

HttpResult HttpClient::Get(const QString& url, QIODevice& sink, qint64 maxBytes,
                           AnswerDeadline deadline)
{
    std::promise<HttpResult> answer;
    std::future<HttpResult> result = answer.get_future();
    RunOnNetworkThread([&answer, &sink, url, maxBytes, deadline] {
        QNetworkReply* reply = NetworkManager().get(RequestFor(url));
        auto progress = std::make_shared<Progress>();
        Bound(reply, deadline, progress);
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
    return result.get();
}
