// Any file under the local database's name copied into SQLite: refused or loaded, never a crash.
#include "core/localdb/JetFileLoader.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <sqlite3.h>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The input is a file in memory, opened by its path under /proc as any file is: no disk
    // writes for each run.
    static const int file = memfd_create("Quillane.MDB", 0);
    static const QString path = QStringLiteral("/proc/self/fd/%1").arg(file);
    if (file < 0 || ftruncate(file, 0) != 0 ||
        pwrite(file, data, size, 0) != static_cast<ssize_t>(size))
        return 0;

    sqlite3* target = nullptr;
    sqlite3_open(":memory:", &target);
    QString error;
    static_cast<void>(LoadJetFile(path, target, error));
    sqlite3_close(target);
    return 0;
}
