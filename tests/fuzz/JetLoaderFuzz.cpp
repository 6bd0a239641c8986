// Any file under the local database's name copied into SQLite: refused or loaded, never a crash.
#include "JetFileLoader.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <sqlite3.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Quillane.MDB"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    sqlite3* target = nullptr;
    sqlite3_open(":memory:", &target);
    QString error;
    static_cast<void>(LoadJetFile(path, target, error));
    sqlite3_close(target);
    return 0;
}
