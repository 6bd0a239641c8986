#include "LocalDatabaseSession.h"

#include "LocalDatabase.h"
#include "LocalDatabaseOpen.h"
#include "MessageBox.h"
#include "ProgramValues.h"

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
