#include "core/requests/ConnectionCheck.h"

#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/ProgramValues.h"
#include "core/program/Trimmed.h"
#include "core/requests/NetworkThread.h"

#include <QNetworkReply>
#include <QTimer>
#include <future>
#include <memory>
#include <optional>

namespace {

constexpr int kRetryPauses = 3;
constexpr int kRetryPauseMs = 50000;

// Upper-cases the letters a to z only.
QString UpperAscii(QString text)
{
    for (QChar& character : text) {
        if (character >= u'a' && character <= u'z')
            character = QChar(character.unicode() - u'a' + u'A');
    }
    return text;
}

bool IsSuccess(const QNetworkReply& reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return reply.error() == QNetworkReply::NoError && status >= 200 && status < 300;
}

// Starts the GET on the network thread; answer receives the body, or nothing on failure.
void StartCheck(const QUrl& url, std::shared_ptr<std::promise<std::optional<QByteArray>>> answer)
{
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "text/html, */*");
    request.setRawHeader("User-Agent", "Mozilla/3.0 (compatible; Indy Library)");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply* reply = NetworkManager().get(request);
    QTimer::singleShot(RequestTimeout(), reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, answer] {
        reply->deleteLater();
        answer->set_value(IsSuccess(*reply) ? std::optional(reply->readAll()) : std::nullopt);
    });
}

} // namespace

bool CheckConnection(const QString& url)
{
    auto answer = std::make_shared<std::promise<std::optional<QByteArray>>>();
    std::future<std::optional<QByteArray>> body = answer->get_future();
    RunOnNetworkThread([answer, target = QUrl(url)] { StartCheck(target, answer); });
    const std::optional<QByteArray> received = body.get();
    return received && UpperAscii(Trimmed(QString::fromLatin1(*received))) == u"NORMAL";
}

void RunConnectivityTest()
{
    const QString url =
        QStringLiteral("http://") + Config.contestHost + QStringLiteral("/ConTest.htm");
    int pauses = 0;
    while (!CheckConnection(url)) {
        if (pauses == kRetryPauses) {
            ShowMessage({QStringLiteral("서버에 접속을 할 수 없습니다.\r\n다시 연결해 주십시오"),
                         QString(), MessageIcon::None, MessageButtons::Ok});
            return;
        }
        Pause(kRetryPauseMs);
        ++pauses;
    }
}
