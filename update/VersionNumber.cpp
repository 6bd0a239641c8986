#include "update/VersionNumber.h"

#include <QRegularExpression>

std::optional<qint64> VersionNumber(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    const QString trimmed = text.trimmed();
    if (!decimal.match(trimmed).hasMatch())
        return std::nullopt;
    return trimmed.toLongLong();
}
