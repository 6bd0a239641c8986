#include "core/localdb/SqlQuoting.h"

QString SqlEscaped(const QString& value)
{
    QString escaped = value;
    return escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString SqlQuoted(const QString& value)
{
    return QLatin1Char('\'') + SqlEscaped(value) + QLatin1Char('\'');
}
