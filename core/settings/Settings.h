#pragma once

#include <QString>

// The two operations on INI files (the settings file and the others the program reads). Each
// call names the file afresh and opens it for that call only; nothing is cached. The file name
// is found without regard to letter case; the text on disk is code page 949.

// The value of the key, or defaultValue when the file, the section or the key is missing or
// the file cannot be read. A key present with an empty value reads as empty.
QString ReadIniString(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue);

// Sets the key, creating the file, the section or the key when missing, and keeps every other
// line. The file is replaced atomically and is on disk when the call returns; a new file is
// readable by its owner only. No, logged, when the file was left unchanged.
bool WriteIniString(const QString& path, const QString& section, const QString& key,
                    const QString& value);
