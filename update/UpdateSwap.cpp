#include "update/UpdateSwap.h"

#include "core/settings/FileNameCase.h"
#include "update/AddedFiles.h"
#include "update/DurableFile.h"
#include "update/UpdateFolder.h"
#include "update/UpdatePackage.h"
#include "update/VersionNumber.h"
#include "update/ZipEntryName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>
#include <vector>

namespace {

Q_LOGGING_CATEGORY(lcSwap, "quillane.swap")

// A journal lists the files of one package: far less than this.
constexpr qint64 MaxJournalBytes = 1024 * 1024;

// One file of the swap: its name in the program folder, and whether an old file had it.
struct SwapEntry
{
    QString name;
    bool replaces = false;
};

struct Journal
{
    bool committed = false;
    qint64 version = 0;
    std::vector<SwapEntry> entries;
};

// The name a replaced file is moved to when it cannot be renamed over.
QString SetAsideName(const QString& target)
{
    return QFileInfo(target).dir().filePath(u'.' + QFileInfo(target).fileName() +
                                            QStringLiteral(".quillane-old"));
}

// Renames the new file over the target. Windows refuses that while the target runs (the updater
// replacing itself) but lets the running file be renamed: it is then moved aside first and
// removed by a later swap. The target's backup covers the moment between the two renames.
bool PutInPlace(const QString& file, const QString& target)
{
    if (RenameOver(file, target))
        return true;
    const QString aside = SetAsideName(target);
    RemoveOwnCopy(aside);
    if (!QFileInfo::exists(target) || !RenameOver(target, aside))
        return false;
    if (RenameOver(file, target))
        return true;
    RenameOver(aside, target);
    return false;
}

// Replaces the target with a whole copy of the source in one step: the copy is written beside
// the target under a name of the swap's own, then renamed over it.
bool ReplaceWithCopy(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        qCWarning(lcSwap) << "cannot read" << source;
        return false;
    }
    const QString beside = QFileInfo(target).dir().filePath(u'.' + QFileInfo(target).fileName() +
                                                            QStringLiteral(".quillane-new"));
    if (!WriteDurably(beside, in.readAll(), in.permissions()) || !PutInPlace(beside, target)) {
        RemoveOwnCopy(beside);
        return false;
    }
    return SyncFolderOf(target);
}

QByteArray JournalText(const Journal& journal)
{
    QByteArray text = (journal.committed ? "state=committed\n" : "state=swapping\n") +
                      QByteArray("version=") + QByteArray::number(journal.version) + '\n' +
                      "files=" + QByteArray::number(qsizetype(journal.entries.size())) + '\n';
    for (const SwapEntry& entry : journal.entries)
        text += "file=" + entry.name.toUtf8() + '\t' + (entry.replaces ? '1' : '0') + '\n';
    return text;
}

bool WriteJournal(const QString& updateFolder, const Journal& journal)
{
    return ReplaceDurably(SwapJournalPath(updateFolder), JournalText(journal),
                          QFile::ReadOwner | QFile::WriteOwner);
}

std::optional<SwapEntry> EntryOf(const QByteArray& line)
{
    if (!line.startsWith("file="))
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(int(qstrlen("file="))).split('\t');
    if (fields.size() != 2 || (fields[1] != "0" && fields[1] != "1"))
        return std::nullopt;
    const QString name = QString::fromUtf8(fields[0]);
    if (!IsSwappableName(name))
        return std::nullopt;
    return SwapEntry{name, fields[1] == "1"};
}

// The count of the journal's files from its third line; a journal of an earlier updater has
// none and lists at least one file.
std::optional<qsizetype> FileCount(const QByteArray& line)
{
    if (!line.startsWith("files="))
        return std::nullopt;
    const std::optional<qint64> count = VersionNumber(QString::fromLatin1(line.mid(6)));
    return count && *count > 0 ? std::optional<qsizetype>(*count) : std::nullopt;
}

// The journal as written; nothing when it is not one as the swap writes it: cut short (every
// line ends with a line break, and the files are as many as it says), or naming a file that no
// swap may change. It is only ever replaced whole, so such a journal was not written by the swap.
std::optional<Journal> ReadJournal(const QString& updateFolder)
{
    const std::optional<QByteArray> text =
        ReadUpdateFile(SwapJournalPath(updateFolder), MaxJournalBytes);
    if (!text || !text->endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = text->chopped(1).split('\n');
    if (lines.size() < 3 || (lines[0] != "state=committed" && lines[0] != "state=swapping") ||
        !lines[1].startsWith("version="))
        return std::nullopt;
    const std::optional<qint64> version = VersionNumber(QString::fromLatin1(lines[1].mid(8)));
    if (!version)
        return std::nullopt;
    Journal journal{lines[0] == "state=committed", *version, {}};
    const std::optional<qsizetype> count = FileCount(lines[2]);
    for (const QByteArray& line : lines.mid(count ? 3 : 2)) {
        const std::optional<SwapEntry> entry = EntryOf(line);
        if (!entry)
            return std::nullopt;
        journal.entries.push_back(*entry);
    }
    const qsizetype listed = qsizetype(journal.entries.size());
    if (count ? listed != *count : listed == 0)
        return std::nullopt;
    return journal;
}

// Puts every file of the journal back as it was: a replaced file from its whole backup (a file
// without a backup was never touched), a file that was new is removed.
bool RollBack(const Journal& journal, const QString& programFolder, const QString& updateFolder)
{
    bool restored = true;
    for (auto entry = journal.entries.rbegin(); entry != journal.entries.rend(); ++entry) {
        const QString target = QDir(programFolder).filePath(entry->name);
        const QString backup = QDir(BackupFolder(updateFolder)).filePath(entry->name);
        RemoveOwnCopy(
            QFileInfo(target).dir().filePath(u'.' + entry->name + QStringLiteral(".quillane-new")));
        RemoveOwnCopy(SetAsideName(target));
        if (!entry->replaces)
            restored = (RemoveOwnCopy(target) || !QFileInfo::exists(target)) && restored;
        else if (QFileInfo::exists(backup))
            restored = ReplaceWithCopy(backup, target) && restored;
    }
    return restored && SyncFolder(programFolder);
}

// The swap's entries; nothing when a name is no swap's to change or is held by something other
// than a plain file.
std::optional<std::vector<SwapEntry>> PlanOf(const QStringList& files, const QString& programFolder)
{
    std::vector<SwapEntry> entries;
    for (const QString& file : files) {
        const QFileInfo present(ExistingFilePath(QDir(programFolder).filePath(file)));
        if (!IsSwappableName(file) || !IsSwappableName(present.fileName())) {
            qCWarning(lcSwap) << "no swap changes" << present.fileName();
            return std::nullopt;
        }
        const bool replaces = present.exists() || present.isSymLink();
        if (replaces && (present.isSymLink() || present.isJunction() || !present.isFile())) {
            qCWarning(lcSwap) << "not a plain file, left alone:" << present.filePath();
            return std::nullopt;
        }
        entries.push_back({present.fileName(), replaces});
    }
    return entries;
}

// Backs up and replaces one file.
bool SwapOne(const SwapEntry& entry, const QString& source, const QString& programFolder,
             const QString& updateFolder)
{
    const QString target = QDir(programFolder).filePath(entry.name);
    if (entry.replaces) {
        const QString backup = QDir(BackupFolder(updateFolder)).filePath(entry.name);
        QFile old(target);
        if (!old.open(QIODevice::ReadOnly) ||
            !ReplaceDurably(backup, old.readAll(), old.permissions()))
            return false;
    }
    RemoveOwnCopy(SetAsideName(target));
    return ReplaceWithCopy(source, target);
}

// Lists the files that the committed swap created, for the uninstaller; a list that cannot be
// written leaves the update as it is.
void NoteCreatedFiles(const Journal& journal, const QString& programFolder)
{
    QStringList created;
    for (const SwapEntry& entry : journal.entries)
        if (!entry.replaces)
            created.append(entry.name);
    NoteAddedFiles(programFolder, created);
}

// Puts every file back after a failed swap; a swap that cannot be put back whole keeps its
// journal and its backup for the next start.
void PutBack(const Journal& journal, const QString& programFolder, const QString& updateFolder)
{
    if (RollBack(journal, programFolder, updateFolder)) {
        RemoveOwnCopy(SwapJournalPath(updateFolder));
        return;
    }
    qCWarning(lcSwap) << "the swap could not be put back whole (a file may be held by another"
                      << "program): its journal and backup stay in" << updateFolder
                      << "for the next start";
}

} // namespace

bool IsSwappableName(const QString& name)
{
    return TopLevelFileName(name) == name &&
           name.compare(QStringLiteral("quillane.ini"), Qt::CaseInsensitive) != 0;
}

bool SwapIn(const QStringList& files, qint64 version, const QString& programFolder,
            const QString& updateFolder)
{
    if (SwapPending(updateFolder)) {
        qCWarning(lcSwap) << "the last swap is not finished: nothing is swapped before it is";
        return false;
    }
    const std::optional<std::vector<SwapEntry>> plan = PlanOf(files, programFolder);
    if (!plan || !PrepareSubFolder(BackupFolder(updateFolder)))
        return false;
    Journal journal{false, version, *plan};
    if (!WriteJournal(updateFolder, journal))
        return false;
    for (int index = 0; index < files.size(); ++index) {
        const QString source =
            ExistingFilePath(QDir(StagingFolder(updateFolder)).filePath(files[index]));
        if (!SwapOne(journal.entries[size_t(index)], source, programFolder, updateFolder)) {
            PutBack(journal, programFolder, updateFolder);
            return false;
        }
    }
    journal.committed = true;
    if (!WriteJournal(updateFolder, journal)) {
        PutBack(journal, programFolder, updateFolder);
        return false;
    }
    NoteCreatedFiles(journal, programFolder);
    RemoveFolder(StagingFolder(updateFolder));
    return true;
}

std::optional<qint64> RecoverSwap(const QString& programFolder, const QString& updateFolder)
{
    if (!SwapPending(updateFolder))
        return std::nullopt;
    const std::optional<Journal> journal = ReadJournal(updateFolder);
    if (!journal) {
        qCWarning(lcSwap) << "the swap's journal is not one the swap writes: nothing is put back,"
                          << "and it and the backup stay in" << updateFolder;
        return std::nullopt;
    }
    if (journal->committed) {
        // The list may have missed a cut right after the commit.
        NoteCreatedFiles(*journal, programFolder);
        return journal->version;
    }
    qCWarning(lcSwap) << "putting back the files of a swap that was cut off";
    PutBack(*journal, programFolder, updateFolder);
    return std::nullopt;
}

bool SwapPending(const QString& updateFolder)
{
    const QFileInfo journal(SwapJournalPath(updateFolder));
    return journal.exists() || journal.isSymLink();
}

void FinishSwap(const QString& updateFolder)
{
    RemoveOwnCopy(SwapJournalPath(updateFolder));
}
