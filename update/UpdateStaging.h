#pragma once

#include <QString>

// The updater's own folder beside the program folder ("<program folder>.update"): the new files
// wait in "new", the files they replace are kept in "backup" until the new version has started
// once ("swapped" marks a swap that completed), and "Quillane_UP.lock" lets one updater run at a
// time.

QString StagingFolder(const QString& programFolder);
QString StagedFilesFolder(const QString& programFolder);
QString BackupFolder(const QString& programFolder);
QString UpdaterLockPath(const QString& programFolder);
QString SwapDoneMarker(const QString& programFolder);

// At a start of the program: removes the staging folder with the last update's backup, unless
// an updater is at work in it. A backup of a swap that did not complete (whose putting back
// failed) is kept.
void RemoveUpdateBackup(const QString& programFolder);
