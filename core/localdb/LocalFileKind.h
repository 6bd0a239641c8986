#pragma once

#include <QString>

// What a database file holds, told from its first bytes.
enum class LocalFileKind
{
    Unreadable,
    Sqlite,
    Jet,
    Unknown
};

LocalFileKind DetectLocalFileKind(const QString& filePath);
