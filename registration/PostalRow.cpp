#include "PostalRow.h"

#include "LocalDatabase.h"
#include "LocalStatements.h"
#include "SqlOperations.h"

#include <QSqlRecord>

PostalRow LookUpPostalRow(const QString& firstPart, const QString& secondPart)
{
    QString error;
    if (LocalQuery == nullptr ||
        !OpenSql(*LocalQuery, ZipcodeLookupTopStatement(firstPart, secondPart), error) ||
        !LocalQuery->next())
        return {};
    const QSqlRecord row = LocalQuery->record();
    return {
        row.value(QStringLiteral("SIDO")).toString(), row.value(QStringLiteral("GuGun")).toString(),
        row.value(QStringLiteral("Dong")).toString() + row.value(QStringLiteral("Ri")).toString()};
}
