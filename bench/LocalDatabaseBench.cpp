// Opening the local database as the start-up does (LocalDatabaseSession), and the postal search,
// on a directory of 50,000 rows held as an Access (Jet 4) file and as the SQLite file the build
// makes.
// Goals: open within 300 ms, search within 20 ms.

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalDatabaseSession.h"
#include "core/localdb/LocalStatements.h"
#include "core/localdb/SqlOperations.h"
#include "core/program/ProgramValues.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A two-syllable town name that both directories hold a few dozen times.
const QString TypicalSearchText = QStringLiteral("역삼");

// A program folder whose Quillane.MDB is a copy of source; ProgramFolder points at it.
class ProgramFolderWith
{
public:
    explicit ProgramFolderWith(const char* source)
    {
        ProgramFolder = folder.path() + QLatin1Char('/');
        QFile::copy(QString::fromUtf8(source), ProgramFolder + QStringLiteral("Quillane.MDB"));
    }

private:
    QTemporaryDir folder;
};

void OpenDatabase(benchmark::State& state, const char* source)
{
    const ProgramFolderWith folder(source);
    for (auto _ : state) {
        const LocalDatabaseSession session;
        if (!LocalQuery)
            state.SkipWithError("the database did not open");
    }
}

void SearchDirectory(benchmark::State& state, const char* source)
{
    const ProgramFolderWith folder(source);
    const LocalDatabaseSession session;
    if (!LocalQuery) {
        state.SkipWithError("the database did not open");
        return;
    }
    int rows = 0;
    for (auto _ : state) {
        QString error;
        if (!OpenSql(*LocalQuery, ZipSearchStatement(TypicalSearchText), error))
            state.SkipWithError(qPrintable(error));
        rows = 0;
        while (LocalQuery->next()) {
            benchmark::DoNotOptimize(LocalQuery->value(QStringLiteral("Dong")));
            ++rows;
        }
    }
    state.counters["rows"] = rows;
}

} // namespace

BENCHMARK_CAPTURE(OpenDatabase, jet, ZIP50K_JET)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenDatabase, sqlite, ZIP50K_SQLITE)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchDirectory, jet, ZIP50K_JET)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchDirectory, sqlite, ZIP50K_SQLITE)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
