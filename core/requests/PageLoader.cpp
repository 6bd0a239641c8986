#include "core/requests/PageLoader.h"

#include "core/requests/MetaRefresh.h"
#include "core/requests/NetworkThread.h"
#include "core/requests/PageDecoding.h"
#include "core/requests/PageSizeLimit.h"
#include "core/requests/PageText.h"

#include <QNetworkReply>
#include <QTimer>

namespace {

// A page that refreshes to itself or in a circle is shown as it is after this many refreshes.
constexpr int kMaxRefreshes = 10;

// The page a browser shows in place of an answer that did not come.
QString ErrorPage(const QString& reason)
{
    return QStringLiteral("<html><head><title>이 페이지를 표시할 수 없습니다</title></head><body>"
                          "<h1>이 페이지를 표시할 수 없습니다</h1>"
                          "<p>서버에서 표시할 페이지를 받지 못했습니다.</p><p>%1</p></body></html>")
        .arg(reason.toHtmlEscaped());
}

QString TooLargePage()
{
    return ErrorPage(QStringLiteral("서버에서 받은 페이지가 너무 큽니다."));
}

QString ReasonOf(const QNetworkReply& reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        return QStringLiteral("HTTP %1 %2")
            .arg(status)
            .arg(reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    }
    return QStringLiteral("서버에 연결할 수 없습니다. (%1)").arg(reply.errorString());
}

} // namespace

PageLoader::PageLoader() : timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &PageLoader::OnTimeout);
}

void PageLoader::Load(quint64 id, const QString& url, const QByteArray& postData,
                      const RawHeaders& headers)
{
    Abandon();
    id_ = id;
    requestedText_ = url;
    requested_ = QUrl(url);
    refreshes_ = 0;
    QNetworkRequest request(requested_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    timer_->start(RequestTimeout());
    Send(request, postData);
}

void PageLoader::Send(const QNetworkRequest& request, const QByteArray& postData)
{
    QNetworkAccessManager& manager = NetworkManager();
    reply_ = postData.isEmpty() ? manager.get(request) : manager.post(request, postData);
    reply_->setParent(this);
    tooLarge_ = false;
    connect(reply_, &QNetworkReply::finished, this, &PageLoader::OnFinished);
    // A page larger than any answer is not read to its end: it could be endless.
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received) {
        if (received <= MaxPageBytes || tooLarge_)
            return;
        tooLarge_ = true;
        reply_->abort();
    });
}

void PageLoader::Abandon()
{
    timer_->stop();
    if (reply_ == nullptr)
        return;
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
}

void PageLoader::OnFinished()
{
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    if (tooLarge_) {
        Complete(requestedText_, TooLargePage());
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        Complete(requestedText_, ErrorPage(ReasonOf(*reply)));
        return;
    }

    const QByteArray body = reply->readAll();
    if (body.size() > MaxPageBytes) {
        Complete(requestedText_, TooLargePage());
        return;
    }
    const QString html = DecodePage(body, reply->rawHeader("Content-Type"));
    const QString refresh = ImmediateRefreshTarget(html);
    if (!refresh.isEmpty() && refreshes_ < kMaxRefreshes) {
        ++refreshes_;
        QNetworkRequest request(reply->url().resolved(QUrl(refresh)));
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        Send(request, {});
        return;
    }
    const QUrl final = reply->url();
    Complete(final == requested_ ? requestedText_ : final.toString(), html);
}

void PageLoader::OnTimeout()
{
    Abandon();
    Complete(requestedText_, ErrorPage(QStringLiteral("서버의 응답 시간이 초과되었습니다.")));
}

void PageLoader::Complete(const QString& url, const QString& html)
{
    timer_->stop();
    reply_ = nullptr;
    emit Loaded(id_, url, DocumentOuterText(html));
}
