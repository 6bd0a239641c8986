#include "LocalDatabase.h"
#include "LocalDatabaseOpen.h"
#include "MessageBox.h"
#include "Quillane_Define.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLocalDatabase, "quillane.localdatabase")

QSqlDatabase LocalConnection()
{
    return QSqlDatabase::database(LocalConnectionName, false);
}

TLOGIN::TLOGIN()
{
    QString error;
    if (!OpenLocalDatabase(LocalConnectionName, ProgramFolder, error)) {
        qCWarning(lcLocalDatabase) << "local database not opened:" << error;
        ShowMessage({QStringLiteral("Quillane.MDB 연결실패!!"), QStringLiteral("경고"),
                     MessageIcon::Error});
        return;
    }
    query = std::make_unique<QSqlQuery>(LocalConnection());
    LocalQuery = query.get();
}

TLOGIN::~TLOGIN()
{
    LocalQuery = nullptr;
    query.reset();
    LocalConnection().close();
    QSqlDatabase::removeDatabase(LocalConnectionName);
}
