#include "update/updater/Updater.h"

#include "core/settings/FileNameCase.h"
#include "core/settings/IniDocument.h"
#include "core/settings/SettingsKeys.h"
#include "platform/FolderPrivacy.h"
#include "platform/LockFileTake.h"
#include "platform/ProgramStart.h"
#include "update/PackageFiles.h"
#include "update/UnzipAll.h"
#include "update/UpdateFolder.h"
#include "update/UpdateKey.h"
#include "update/UpdatePackage.h"
#include "update/UpdateSwap.h"
#include "update/VersionFloor.h"
#include "update/VersionNumber.h"
#include "update/updater/UpdaterPlatform.h"

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

// A settings file holds a few dozen keys.
constexpr qint64 MaxSettingsBytes = 1024 * 1024;

// The version recorded in the program folder's settings file, 0 when none is; nothing when the
// recorded one is not a number.
std::optional<qint64> RecordedVersion(const QString& programFolder)
{
    const QString settings = ExistingFilePath(programFolder + SettingsKeys::FileName);
    if (!QFileInfo::exists(settings))
        return 0;
    const std::optional<QByteArray> bytes = ReadUpdateFile(settings, MaxSettingsBytes);
    if (!bytes)
        return std::nullopt;
    const QString recorded = IniDocument::FromBytes(*bytes)
                                 .Value(SettingsKeys::VersionInfo, SettingsKeys::Version)
                                 .value_or(QString());
    return recorded.trimmed().isEmpty() ? 0 : VersionNumber(recorded);
}

// Whether the vouched version may replace the installed one: it must be newer than the recorded
// version and than this updater's own, as the program checks before it hands over, so that an
// old signed package left in the update's folder is never installed.
bool IsNewer(qint64 version, const QString& programFolder)
{
    const std::optional<qint64> recorded = RecordedVersion(programFolder);
    if (recorded && version > VersionFloor(*recorded))
        return true;
    qCWarning(lcUpdater) << "the package's version" << version << "is not newer than the installed"
                         << "one";
    return false;
}

// The package's files, checked, unpacked into the staging folder, and the version they are;
// nothing when the package is missing, not vouched for, not newer than the installed version,
// hostile or cannot be unpacked.
std::optional<std::pair<QStringList, qint64>> StagePackage(const QString& programFolder,
                                                           const QString& updateFolder)
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
    if (!IsNewer(*version, programFolder))
        return std::nullopt;
    const std::optional<QStringList> packageFiles = PackageFiles(*package);
    if (!packageFiles || packageFiles->isEmpty())
        return std::nullopt;
    QStringList files;
    for (const QString& file : *packageFiles)
        if (IsSwappableName(file))
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
    const auto staged = StagePackage(config.programFolder, config.updateFolder);
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
    if (!platform::FolderIsPrivate(QDir::toNativeSeparators(config.programFolder).toStdString())) {
        qCWarning(lcUpdater) << "others may change the program folder" << config.programFolder;
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
