#include "update/UpdateList.h"

#include "update/ZipEntryName.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// The date and time formats of the list's third field, with and without seconds, and a date
// alone (midnight).
const QStringList TimeFormats = {
    QStringLiteral("yyyy-MM-dd H:mm:ss"),
    QStringLiteral("yyyy-MM-dd H:mm"),
    QStringLiteral("yyyy-MM-dd"),
};

bool LineLists(const QString& line, const QString& wanted)
{
    return line.section(u'\t', 0, 0).compare(wanted, Qt::CaseInsensitive) == 0;
}

std::optional<qint32> Integer(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

std::optional<QDateTime> DateTime(const QString& text)
{
    for (const QString& format : TimeFormats) {
        const QDateTime time = QDateTime::fromString(text, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

} // namespace

QStringList UpdateListLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QString> FirstLineListing(const QStringList& list, const QString& wanted)
{
    const auto line = std::find_if(list.begin(), list.end(),
                                   [&](const QString& each) { return LineLists(each, wanted); });
    if (line == list.end())
        return std::nullopt;
    return *line;
}

std::optional<TDownFileRec> ListedFileRecord(const QString& line)
{
    const QStringList fields = line.split(u'\t');
    if (fields.size() < 3)
        return std::nullopt;
    const std::optional<QString> name = TopLevelFileName(fields[0]);
    const std::optional<qint32> number = Integer(fields[1]);
    const std::optional<QDateTime> time = DateTime(fields[2]);
    if (!name || !number || !time)
        return std::nullopt;
    return TDownFileRec{*name, *number, *time};
}
