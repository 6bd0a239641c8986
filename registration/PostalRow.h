#pragma once

#include <QString>

// The address parts of a postal code's first row in the local postal table.
struct PostalRow
{
    QString province; // "SIDO"
    QString district; // "GuGun"
    QString town;     // "Dong" directly followed by "Ri"
};

// The row of the postal code given as its two parts, looked up on LocalQuery; empty parts when
// the table has no such row or the local database is not open.
PostalRow LookUpPostalRow(const QString& firstPart, const QString& secondPart);
