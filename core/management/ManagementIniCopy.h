#pragma once

#include <QString>

// The management system keeps a copy of its V6 INI file in its DLL folder; the program refreshes
// it at every start. Failures are ignored.

// Replaces the copy with the source file. When the source is missing the copy is kept as it is.
void RefreshIniCopy(const QString& source, const QString& copy);

// Refreshes "C:\QX2000V6\DLL\QX2000V6.INI" from "C:\QX2000V6\QX2000V6.INI".
void RefreshManagementIniCopy();
