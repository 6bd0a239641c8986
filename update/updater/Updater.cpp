#include "Updater.h"

#include "FileNameCase.h"
#include "FileSwap.h"
#include "FolderPrivacy.h"
#include "PackageFiles.h"
#include "ProgramStart.h"
#include "UpdateStaging.h"
#include "UpdaterPlatform.h"

#include <QDir>
#include <QLockFile>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcUpdater, "quillane.updater")

// The old program ends at once after the hand-over; this only bounds a program that hangs.
constexpr std::chrono::seconds ProgramEndLimit{30};
constexpr int ShownNormally = 1;

const QString PackageFile = QStringLiteral("QUILLANE_UPDATE.ZIP");
const QString SettingsFile = QStringLiteral("quillane.ini");

// The package's files that were unpacked into the temporary folder, each once, without the
// settings file.
QStringList FilesToReplace(const QString& tempFolder)
{
    if (!platform::FolderIsPrivate(tempFolder.toStdString())) {
        qCWarning(lcUpdater) << "the temporary folder is open to other users:" << tempFolder;
        return {};
    }
    const std::optional<QStringList> packageFiles =
        PackageFiles(ExistingFilePath(tempFolder + PackageFile));
    if (!packageFiles) {
        qCWarning(lcUpdater) << "no usable package in" << tempFolder;
        return {};
    }
    QStringList files;
    for (const QString& file : *packageFiles) {
        const bool known = files.contains(file, Qt::CaseInsensitive);
        const bool settings = file.compare(SettingsFile, Qt::CaseInsensitive) == 0;
        if (!known && !settings && FileExistsIgnoringCase(tempFolder + file))
            files.push_back(file);
    }
    return files;
}

void StartProgram(const QString& programFolder)
{
    const QString program = ExistingFilePath(programFolder + QString::fromUtf8(ProgramFileName()));
    if (const int error = platform::RunProgram(program.toStdString(), ShownNormally))
        qCWarning(lcUpdater) << "cannot start" << program << "error" << error;
}

} // namespace

bool RunUpdater(const ProgramConfig& config)
{
    // Without a staging folder nothing is replaced, but the program still starts again.
    QDir().mkpath(StagingFolder(config.programFolder));
    QLockFile updaterLock(UpdaterLockPath(config.programFolder));
    updaterLock.setStaleLockTime(0);
    if (!updaterLock.tryLock(0)) {
        if (updaterLock.error() == QLockFile::LockFailedError) {
            qCInfo(lcUpdater) << "another updater is at work";
            return false;
        }
        qCWarning(lcUpdater) << "cannot use the staging folder"
                             << StagingFolder(config.programFolder);
    }
    std::unique_ptr<ProgramClaim> claim = ClaimProgram(ProgramEndLimit);
    if (!claim) {
        qCWarning(lcUpdater) << "the program is still running; nothing replaced";
        return false;
    }
    const QStringList files =
        updaterLock.isLocked() ? FilesToReplace(config.tempFolder) : QStringList();
    const bool swapped = !files.isEmpty() && SwapIn(files, config.tempFolder, config.programFolder);
    if (!swapped)
        qCWarning(lcUpdater) << "the program's files are unchanged";
    claim.reset();
    StartProgram(config.programFolder);
    return swapped;
}
