#include "core/requests/WebBrowser.h"

#include "core/requests/NetworkThread.h"
#include "core/requests/PageLoader.h"

namespace {

constexpr int kUninitialised = 0;
constexpr int kLoading = 1;
constexpr int kComplete = 4;

// The control's additional-header text: "Name: value" lines ended by CR and/or LF; NUL
// characters (the text's terminator) are ignored.
RawHeaders ParseHeaderText(QByteArray text)
{
    text.replace('\0', QByteArray());
    RawHeaders headers;
    for (const QByteArray& line : text.replace('\r', '\n').split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    return headers;
}

} // namespace

struct WebBrowser::Private
{
    PageLoader* loader = nullptr;
    quint64 lastId = 0;
    int readyState = kUninitialised;
    QString locationUrl;
    QString documentText;
};

WebBrowser::WebBrowser(const QString& name, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    setObjectName(name);
    d->loader = new PageLoader;
    d->loader->moveToThread(NetworkManager().thread());
    connect(d->loader, &PageLoader::Loaded, this,
            [this](quint64 id, const QString& url, const QString& text) {
                if (id != d->lastId)
                    return;
                d->locationUrl = url;
                d->documentText = text;
                d->readyState = kComplete;
                emit DocumentComplete(url);
            });
}

WebBrowser::~WebBrowser()
{
    d->loader->deleteLater();
}

void WebBrowser::Navigate(const QString& url, const QByteArray& postData, const QByteArray& headers)
{
    const quint64 id = ++d->lastId;
    d->readyState = kLoading;
    RunOnNetworkThread(
        [loader = d->loader, id, target = url, postData, parsed = ParseHeaderText(headers)] {
            loader->Load(id, target, postData, parsed);
        });
}

int WebBrowser::ReadyState() const
{
    return d->readyState;
}

QString WebBrowser::LocationUrl() const
{
    return d->locationUrl;
}

QString WebBrowser::DocumentText() const
{
    return d->documentText;
}
