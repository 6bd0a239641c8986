#include "core/localdb/LocalFileKind.h"

#include <QFile>

LocalFileKind DetectLocalFileKind(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return LocalFileKind::Unreadable;
    const QByteArray head = file.read(32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return LocalFileKind::Sqlite;
    const QByteArray jetMagic = QByteArrayLiteral("\x00\x01\x00\x00");
    const QByteArray engine = head.mid(4, 15);
    if (head.startsWith(jetMagic) && (engine == "Standard Jet DB" || engine == "Standard ACE DB"))
        return LocalFileKind::Jet;
    return LocalFileKind::Unknown;
}
