#include "LocalConnectionText.h"

#include <QMap>
#include <QStringList>

namespace {

// "key=value;..." pairs with keys in lower case; one pair of enclosing double quotes is
// taken off a value.
QMap<QString, QString> ConnectionPairs(const QString& text)
{
    QMap<QString, QString> pairs;
    for (const QString& piece : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        QString value = piece.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        pairs.insert(piece.left(equals).trimmed().toLower(), value);
    }
    return pairs;
}

} // namespace

QString LocalConnectionText(const QString& programFolder)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=") +
           programFolder + LocalDatabaseFileName + QStringLiteral(";") +
           QStringLiteral("Mode=Share Deny None;") + QStringLiteral("Extended Properties=\"\";") +
           QStringLiteral("Jet OLEDB:System database=\"\";") +
           QStringLiteral("Jet OLEDB:Registry Path=\"\";") +
           QStringLiteral("Jet OLEDB:Database Password=;") +
           QStringLiteral("Jet OLEDB:Engine Type=4;") +
           QStringLiteral("Jet OLEDB:Database Locking Mode=0;") +
           QStringLiteral("Jet OLEDB:Global Partial Bulk Ops=2;") +
           QStringLiteral("Jet OLEDB:Global Bulk Transactions=1;") +
           QStringLiteral("Jet OLEDB:New Database Password=\"\";") +
           QStringLiteral("Jet OLEDB:Create System Database=False;") +
           QStringLiteral("Jet OLEDB:Encrypt Database=False;") +
           QStringLiteral("Jet OLEDB:Don't Copy Locale on Compact=False;") +
           QStringLiteral("Jet OLEDB:Compact Without Replica Repair=False;") +
           QStringLiteral("Jet OLEDB:SFP=False");
}

QString AccessOdbcConnectionString(const QString& jetConnectionText)
{
    const QString file = ConnectionPairs(jetConnectionText).value(QStringLiteral("data source"));
    return QStringLiteral("Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=") + file +
           QLatin1Char(';');
}
