#include "core/localdb/LocalDatabaseSession.h"

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalDatabaseOpen.h"
#include "core/program/MessageBox.h"
#include "core/program/ProgramValues.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLocalDatabase, "quillane.localdatabase")

LocalDatabaseSession::LocalDatabaseSession()
{
    QString error;
    if (!OpenLocalDatabase(LocalConnectionName, ProgramFolder, error)) {
        qCWarning(lcLocalDatabase) << "local database not opened:" << error;
        ShowMessage(
            {QStringLiteral("Quillane.MDB 연결실패!!"), WarningCaption, MessageIcon::Error});
        return;
    }
    query_ = std::make_unique<QSqlQuery>(LocalConnection());
    LocalQuery = query_.get();
}

LocalDatabaseSession::~LocalDatabaseSession()
{
    LocalQuery = nullptr;
    query_.reset();
    LocalConnection().close();
    QSqlDatabase::removeDatabase(LocalConnectionName);
}
