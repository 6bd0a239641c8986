#pragma once

#include <QString>

class QSqlRecord;

// The address parts of a postal code's row in the local postal table.
struct PostalRow
{
    QString province; // "SIDO"
    QString district; // "GuGun"
    QString dong;     // "Dong", the town
    QString ri;       // "Ri", the village; often empty
};

// The parts of a row of the postal table, untrimmed.
PostalRow PostalRowOf(const QSqlRecord& record);

// The registration's lookup: the first row of the postal code given as its two parts, on
// LocalQuery; empty parts when the table has no such row or the local database is not open.
PostalRow LookUpPostalRow(const QString& firstPart, const QString& secondPart);
