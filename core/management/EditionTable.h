#pragma once

#include <QString>
#include <array>

// The known editions of the management system, in the order detection tries them. The XE
// editions share one INI file and differ only in the database service that runs.

struct EditionRow
{
    QString label;          // the detected edition's text (the main window's edition label)
    QString iniFile;        // must exist; key "PATH" of section "DATAPATH" names the database host
    QString serviceName;    // the edition's SQL Server service, "MSSQL$" + instance
    QString instanceSuffix; // appended to the database host to form the data source
};

inline const QString ManagementV6Ini = QStringLiteral("C:\\QX2000V6\\QX2000V6.INI");
inline const QString ManagementV5Ini = QStringLiteral("C:\\QX2000V5\\QX2000V5.INI");

const std::array<EditionRow, 3>& EditionTable();

// The row of a detected edition's text (exact, case-sensitive), or null for any other text.
const EditionRow* EditionByLabel(const QString& label);
