#include "registration/PostalRow.h"

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalStatements.h"
#include "core/localdb/SqlOperations.h"

#include <QSqlRecord>

PostalRow PostalRowOf(const QSqlRecord& record)
{
    const auto column = [&record](const char* name) {
        return record.value(QString::fromLatin1(name)).toString();
    };
    return {column("SIDO"), column("GuGun"), column("Dong"), column("Ri")};
}

PostalRow LookUpPostalRow(const QString& firstPart, const QString& secondPart)
{
    QString error;
    if (LocalQuery == nullptr ||
        !OpenSql(*LocalQuery, ZipcodeLookupTopStatement(firstPart, secondPart), error) ||
        !LocalQuery->next())
        return {};
    return PostalRowOf(LocalQuery->record());
}
