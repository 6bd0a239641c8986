#include "update/FetchTextList.h"

#include "update/UpdateList.h"

#include <QBuffer>
#include <QCoreApplication>

namespace {

// A list names a few files, a line each; a longer answer is not one.
constexpr qint64 MaxListBytes = 64 * 1024;

} // namespace

int FetchTextList(HttpClient& client, QStringList& list, const QString& url)
{
    QCoreApplication::processEvents();
    QBuffer answer;
    answer.open(QIODevice::WriteOnly);
    if (client.Get(url, answer, MaxListBytes).kind != HttpResult::Kind::Ok)
        return -1;
    list = UpdateListLines(QString::fromUtf8(answer.data()));
    return int(list.size());
}
