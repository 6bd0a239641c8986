#pragma once

#include <QStringList>
#include <optional>

// The swap of an update's files into the program folder, journaled so that a swap cut off by a
// kill or a power cut is undone, or its end recorded, at the next start of the program or the
// updater, whichever comes first.
//
// Before a file changes, the journal in the update folder lists every file of the swap with
// whether it replaces one. Each replaced file is first copied whole into the backup folder;
// then the new file is copied beside its target in the program folder, written through to the
// disk and renamed over the old one in one step, so that each name always holds a whole file,
// old or new. When every file is in place the journal is marked committed with the new version
// in one step; that is the moment the update has happened. The journal is only ever replaced
// whole and carries the number of its files, so that one cut short is known as such.

// Whether a swap may put a file of that name into the program folder, or take one out: a plain
// file name of the folder as Windows reads it (see TopLevelFileName), never the settings file
// "quillane.ini", which holds the pharmacy's registration.
bool IsSwappableName(const QString& name);

// Puts the named files of the staging folder into the program folder, all or none. Only plain
// files are replaced: a folder or a link at a name, or a name no swap may change, fails the swap
// before anything changes. A file keeps the letter case of the one it replaces. On any failure
// every file is put back. Nothing at all is done while the journal of an earlier swap is there:
// its recovery needs its backup. The answer is whether the swap was committed. The files it
// created are added to the program folder's list of added files (AddedFiles.h), which the
// uninstaller removes.
bool SwapIn(const QStringList& files, qint64 version, const QString& programFolder,
            const QString& updateFolder);

// Puts back the files of a swap that was cut off before its commit. The answer is the version of
// a committed swap whose end has not been recorded yet (see FinishSwap), and nothing otherwise.
// A swap that cannot be put back whole (a file held by another program), a journal that cannot
// be read or is cut short, and one that names a file no swap may change keep the journal and the
// backup, change nothing more and say so in the log; a later start tries again.
std::optional<qint64> RecoverSwap(const QString& programFolder, const QString& updateFolder);

// Whether the journal of a swap is there: one that waits for its recovery or for its version to
// be recorded.
bool SwapPending(const QString& updateFolder);

// Forgets a committed swap once its version has been recorded; the backup stays until the new
// version has started.
void FinishSwap(const QString& updateFolder);
