#include "registration/ManagementConnectionText.h"

#include <QMap>
#include <QStringList>
#include <algorithm>
#include <array>

namespace {

struct ConnectionPrefix
{
    QString edition;
    QString prefix;
};

const std::array<ConnectionPrefix, 3>& ConnectionPrefixes()
{
    static const std::array<ConnectionPrefix, 3> prefixes{{
        {QStringLiteral("QX2000V5"),
         QStringLiteral("Provider=SQLOLEDB.1;Password=wopzne@@;Persist Security Info=True;User "
                        "id=tkrkwl;Initial Catalog=QX_BASE;Data Source=")},
        {QStringLiteral("QX2000XE"),
         QStringLiteral("Provider=SQLOLEDB.1;Password=MTQ&^!!#(!;Persist Security Info=True;User "
                        "id=sa;Initial Catalog=QX_BASE;Data Source=")},
        {QStringLiteral("QX2000XE SQL2014"),
         QStringLiteral("Provider=SQLNCLI11.1;Persist Security Info=True;User ID='sa';"
                        "Password='quvbnk738#&)';Initial Catalog=master;Data Source=")},
    }};
    return prefixes;
}

// The OLE DB keys this program's texts use and their ODBC keywords, in the order written.
struct KeyTranslation
{
    QString oleDbKey;
    QString odbcKey;
};

const std::array<KeyTranslation, 4>& KeyTranslations()
{
    static const std::array<KeyTranslation, 4> keys{{
        {QStringLiteral("data source"), QStringLiteral("SERVER")},
        {QStringLiteral("initial catalog"), QStringLiteral("DATABASE")},
        {QStringLiteral("user id"), QStringLiteral("UID")},
        {QStringLiteral("password"), QStringLiteral("PWD")},
    }};
    return keys;
}

QString Unquoted(const QString& value)
{
    for (const QChar quote : {QLatin1Char('\''), QLatin1Char('"')}) {
        if (value.size() >= 2 && value.startsWith(quote) && value.endsWith(quote))
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// Keys in lower case; a later duplicate wins, as OLE DB reads them.
QMap<QString, QString> OleDbPairs(const QString& text)
{
    QMap<QString, QString> pairs;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        pairs.insert(part.left(equals).trimmed().toLower(),
                     Unquoted(part.mid(equals + 1).trimmed()));
    }
    return pairs;
}

QString OdbcValue(const QString& value)
{
    static const QString reserved = QStringLiteral(";{}= ");
    const bool plain =
        std::none_of(value.begin(), value.end(), [](QChar c) { return reserved.contains(c); });
    if (plain)
        return value;
    QString braced = value;
    return QLatin1Char('{') + braced.replace(QStringLiteral("}"), QStringLiteral("}}")) +
           QLatin1Char('}');
}

} // namespace

QString ManagementConnectionText(const EditionRow& edition, const QString& host)
{
    for (const ConnectionPrefix& prefix : ConnectionPrefixes()) {
        if (prefix.edition == edition.label)
            return prefix.prefix + host + edition.instanceSuffix;
    }
    return {};
}

QString OdbcConnectionText(const QString& oleDbText, const QString& driver)
{
    const QMap<QString, QString> pairs = OleDbPairs(oleDbText);
    QStringList keywords{QStringLiteral("DRIVER={") + driver + QLatin1Char('}')};
    for (const KeyTranslation& key : KeyTranslations()) {
        if (pairs.contains(key.oleDbKey))
            keywords << key.odbcKey + QLatin1Char('=') + OdbcValue(pairs.value(key.oleDbKey));
    }
    return keywords.join(QLatin1Char(';'));
}
