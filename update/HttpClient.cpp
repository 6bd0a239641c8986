#include "HttpClient.h"

#include "NetworkThread.h"

#include <QNetworkReply>
#include <QNetworkRequest>
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

// The answer's body so far goes to the sink; a failed write ends the request.
bool Drain(QNetworkReply& reply, QIODevice& sink, QString& writeError)
{
    if (!IsSuccess(StatusOf(reply))) {
        reply.readAll();
        return true;
    }
    const QByteArray bytes = reply.readAll();
    if (sink.write(bytes) == bytes.size())
        return true;
    writeError = sink.errorString();
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

HttpResult HttpClient::Get(const QString& url, QIODevice& sink)
{
    std::promise<HttpResult> answer;
    std::future<HttpResult> result = answer.get_future();
    RunOnNetworkThread([&answer, &sink, url] {
        QNetworkReply* reply = NetworkManager().get(RequestFor(url));
        auto writeError = std::make_shared<QString>();
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, &sink, writeError] {
            if (!Drain(*reply, sink, *writeError))
                reply->abort();
        });
        QObject::connect(reply, &QNetworkReply::finished, reply,
                         [reply, &sink, &answer, writeError] {
                             if (writeError->isEmpty() && reply->isOpen())
                                 Drain(*reply, sink, *writeError);
                             answer.set_value(ResultOf(*reply, *writeError));
                             reply->deleteLater();
                         });
    });
    return result.get();
}
