#pragma once

#include <QString>

// The statements the program runs on the local database, piece by piece as the windows have
// always built them (the spaces inside the pieces are part of the statements). Every value is
// quoted with SqlQuoted/SqlEscaped.

// The holiday rows of one year, festivals first.
QString HolidayStatement(int year);

// The first directory row of a postal code given as its two three-digit parts.
QString ZipcodeLookupTopStatement(const QString& firstPart, const QString& secondPart);

// Every directory row of a postal code given as its two three-digit parts.
QString ZipcodeLookupStatement(const QString& firstPart, const QString& secondPart);

// The directory rows whose town or village contains the search text, in directory order.
QString ZipSearchStatement(const QString& searchText);
