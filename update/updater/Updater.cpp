#include "Updater.h"

#include "FileNameCase.h"
#include "LockFileTake.h"
#include "PackageFiles.h"
#include "ProgramStart.h"
#include "UnzipAll.h"
#include "UpdateFolder.h"
#include "UpdateKey.h"
#include "UpdatePackage.h"
#include "UpdateSwap.h"
#include "UpdaterPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcUpdater, "quillane.updater")

// The old program ends at once after the hand-over; this only bounds a program that hangs.
constexpr std::chrono::seconds ProgramEndLimit{30};
constexpr int ShownNormally = 1;

const QString SettingsFile = QStringLiteral("quillane.ini");

// The package's files, checked, unpacked into the staging folder, and the version they are;
// nothing when the package is missing, not vouched for, hostile or cannot be unpacked.
std::optional<std::pair<QStringList, qint64>> StagePackage(const QString& updateFolder)
{
    const std::optional<QByteArray> package =
        ReadUpdateFile(QDir(updateFolder).filePath(PackageFileName), MaxPackageBytes);
    if (!package) {
        qCWarning(lcUpdater) << "no package in" << updateFolder;
        return std::nullopt;
    }
    const std::optional<qint64> version = VouchedVersion(*package, updateFolder, UpdatePublicKey());
    if (!version) {
        qCWarning(lcUpdater) << "the package is not vouched for";
        return std::nullopt;
    }
    const std::optional<QStringList> packageFiles = PackageFiles(*package);
    if (!packageFiles || packageFiles->isEmpty())
        return std::nullopt;
    QStringList files;
    for (const QString& file : *packageFiles)
        if (file.compare(SettingsFile, Qt::CaseInsensitive) != 0)
            files.push_back(file);
    const QString staging = StagingFolder(updateFolder);
    if (files.isEmpty() || !PrepareSubFolder(staging) ||
        UnzipAll(*package, staging, files) != files.size()) {
        qCWarning(lcUpdater) << "cannot stage the package's files in" << staging;
        return std::nullopt;
    }
    return std::make_pair(files, *version);
}

// Notes the version that could not be put in place, so that the program started again goes on
// with the old one this time.
void NoteFailure(const QString& updateFolder)
{
    const std::optional<QByteArray> handedOver =
        ReadUpdateFile(QDir(updateFolder).filePath(HandoverFileName), 64);
    QFile mark(QDir(updateFolder).filePath(FailedFileName));
    if (mark.open(QIODevice::WriteOnly | QIODevice::Truncate))
        mark.write(handedOver.value_or("0"));
}

bool Install(const ProgramConfig& config)
{
    // A committed swap whose version the program has not recorded yet is the update in place.
    if (RecoverSwap(config.programFolder, config.updateFolder))
        return true;
    const auto staged = StagePackage(config.updateFolder);
    const bool swapped =
        staged && SwapIn(staged->first, staged->second, config.programFolder, config.updateFolder);
    RemoveFolder(StagingFolder(config.updateFolder));
    if (!swapped) {
        qCWarning(lcUpdater) << "the program's files are unchanged";
        NoteFailure(config.updateFolder);
    }
    return swapped;
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
    if (!PrepareUpdateFolder(config.updateFolder)) {
        qCWarning(lcUpdater) << "others may write to the update's folder" << config.updateFolder;
        StartProgram(config.programFolder);
        return false;
    }
    QLockFile updaterLock(UpdaterLockPath(config.updateFolder));
    if (!TakeLockFile(updaterLock)) {
        qCInfo(lcUpdater) << "another updater is at work";
        return false;
    }
    std::unique_ptr<ProgramClaim> claim = ClaimProgram(ProgramEndLimit);
    if (!claim) {
        qCWarning(lcUpdater) << "the program is still running; nothing replaced";
        return false;
    }
    const bool installed = Install(config);
    claim.reset();
    StartProgram(config.programFolder);
    return installed;
}
