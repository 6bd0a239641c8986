#include "FileSwap.h"

#include "FileNameCase.h"
#include "UpdateStaging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <filesystem>
#include <vector>

namespace {

Q_LOGGING_CATEGORY(lcSwap, "quillane.updater.swap")

// One file put in place, and what it replaced.
struct Swapped
{
    QString target;
    QString backup;
    bool replacedOne;
};

std::filesystem::path PathOf(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

// A rename within one file system; an existing target is replaced in one step.
bool Rename(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(PathOf(from), PathOf(to), error);
    if (error)
        qCWarning(lcSwap) << "cannot move" << from << "to" << to << error.message().c_str();
    return !error;
}

bool CopyKeepingPermissions(const QString& from, const QString& to)
{
    if (!QFile::copy(from, to)) {
        qCWarning(lcSwap) << "cannot copy" << from << "to" << to;
        return false;
    }
    return QFile::setPermissions(to, QFile::permissions(from));
}

bool Stage(const QStringList& files, const QString& sourceFolder, const QString& staged)
{
    for (const QString& file : files)
        if (!CopyKeepingPermissions(ExistingFilePath(QDir(sourceFolder).filePath(file)),
                                    QDir(staged).filePath(file)))
            return false;
    return true;
}

// Moves one staged file into the program folder, the file it replaces into the backup.
bool SwapOne(const QString& file, const QString& programFolder, std::vector<Swapped>& swapped)
{
    const QString target = ExistingFilePath(QDir(programFolder).filePath(file));
    const QString backup = QDir(BackupFolder(programFolder)).filePath(file);
    const QFileInfo present(target);
    const bool replacesOne = present.exists() || present.isSymLink();
    if (replacesOne && (present.isSymLink() || !present.isFile())) {
        qCWarning(lcSwap) << "not a plain file, left alone:" << target;
        return false;
    }
    if (replacesOne && !Rename(target, backup))
        return false;
    if (!Rename(QDir(StagedFilesFolder(programFolder)).filePath(file), target)) {
        if (replacesOne)
            Rename(backup, target);
        return false;
    }
    swapped.push_back({target, backup, replacesOne});
    return true;
}

// Puts back every file swapped so far, the last first.
void RollBack(const std::vector<Swapped>& swapped)
{
    for (auto each = swapped.rbegin(); each != swapped.rend(); ++each) {
        if (each->replacedOne)
            Rename(each->backup, each->target);
        else
            QFile::remove(each->target);
    }
}

} // namespace

bool SwapIn(const QStringList& files, const QString& sourceFolder, const QString& programFolder)
{
    const QString staged = StagedFilesFolder(programFolder);
    const QString backup = BackupFolder(programFolder);
    QDir(staged).removeRecursively();
    QDir(backup).removeRecursively();
    QFile::remove(SwapDoneMarker(programFolder));
    if (!QDir().mkpath(staged) || !QDir().mkpath(backup) || !Stage(files, sourceFolder, staged)) {
        QDir(staged).removeRecursively();
        return false;
    }
    std::vector<Swapped> swapped;
    for (const QString& file : files) {
        if (!SwapOne(file, programFolder, swapped)) {
            RollBack(swapped);
            QDir(staged).removeRecursively();
            return false;
        }
    }
    QDir(staged).removeRecursively();
    QFile marker(SwapDoneMarker(programFolder));
    marker.open(QIODevice::WriteOnly);
    return true;
}
