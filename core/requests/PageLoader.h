#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkReply;
class QNetworkRequest;
class QTimer;

using RawHeaders = QList<QPair<QByteArray, QByteArray>>;

// The network side of one browser control; it lives on the network thread. A load follows HTTP
// redirects and immediate meta refreshes to the final document and reports it with the
// rendered text, or reports the browser's error page at the requested address when there is no
// answer, no answer in time, an HTTP error status, or a page larger than MaxPageBytes. A new load
// abandons the one under way.
class PageLoader : public QObject
{
    Q_OBJECT

public:
    PageLoader();

    // A POST of postData when it is not empty, a GET otherwise. A document that arrives from the
    // requested address is reported with the address text as given.
    void Load(quint64 id, const QString& url, const QByteArray& postData,
              const RawHeaders& headers);

signals:
    void Loaded(quint64 id, const QString& url, const QString& text);

private:
    void Send(const QNetworkRequest& request, const QByteArray& postData);
    void Abandon();
    void OnFinished();
    void OnTimeout();
    void Complete(const QString& url, const QString& html);

    QTimer* timer_;
    QPointer<QNetworkReply> reply_;
    quint64 id_ = 0;
    QString requestedText_;
    QUrl requested_;
    int refreshes_ = 0;
    // The reply under way grew past MaxPageBytes and was cut off.
    bool tooLarge_ = false;
};
