#include "FetchTextList.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QRegularExpression>

namespace {

QStringList LinesOf(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A list names a few files; a longer answer is not one.
constexpr qint64 MaxListBytes = 1024 * 1024;

} // namespace

int FetchTextList(HttpClient& client, QStringList& list, const QString& url)
{
    QCoreApplication::processEvents();
    QBuffer answer;
    answer.open(QIODevice::WriteOnly);
    if (client.Get(url, answer, MaxListBytes).kind != HttpResult::Kind::Ok)
        return -1;
    list = LinesOf(QString::fromUtf8(answer.data()));
    return int(list.size());
}
