#include "update/UpdateStart.h"

#include "core/program/ProgramValues.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "platform/LockFileTake.h"
#include "update/UpdateFolder.h"
#include "update/UpdateSwap.h"

#include <QFileInfo>
#include <QLockFile>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcUpdateStart, "quillane.update")

} // namespace

void FinishLastUpdate()
{
    if (!QFileInfo(Config.updateFolder).isDir())
        return;
    if (!PrepareUpdateFolder(Config.updateFolder)) {
        qCWarning(lcUpdateStart) << "others may write to" << Config.updateFolder;
        return;
    }
    QLockFile updaterLock(UpdaterLockPath(Config.updateFolder));
    if (!TakeLockFile(updaterLock))
        return;
    if (const std::optional<qint64> installed = RecoverSwap(ProgramFolder, Config.updateFolder)) {
        if (!WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::VersionInfo,
                            SettingsKeys::Version, QString::number(*installed)))
            return;
        FinishSwap(Config.updateFolder);
    }
    // A swap that could not be put back keeps its backup for the next try.
    if (!SwapPending(Config.updateFolder))
        RemoveFolder(BackupFolder(Config.updateFolder));
}
