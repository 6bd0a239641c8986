#pragma once

#include <QString>

// The update's own folder (ProgramConfig::updateFolder), which only its user can write, holds
// the downloads, the package's files staged for the swap ("staging"), the files they replaced
// ("backup"), the swap's journal and the updater's lock.

QString StagingFolder(const QString& updateFolder);
QString BackupFolder(const QString& updateFolder);
QString SwapJournalPath(const QString& updateFolder);
QString UpdaterLockPath(const QString& updateFolder);

// Creates the folder (and its missing parents) readable and writable by the user alone, and
// answers whether it is private (platform::FolderIsPrivate): the user's own, not a link, not
// writable by others, and on a way from the root that nobody else can change. Nothing of the
// update is done in a folder that is not.
bool PrepareUpdateFolder(const QString& folder);

// Makes a sub-folder of the update folder afresh: what an earlier run left in it is removed (see
// RemoveFolder), then it is created for the user alone. No when that cannot be done.
bool PrepareSubFolder(const QString& folder);

// Removes a folder of the update's and the files in it, without ever following a link: a link
// in it is removed itself, and a folder that is a link is only unlinked. Sub-folders (the update
// makes none) are left, and so is the folder then.
void RemoveFolder(const QString& folder);

// Removes a file of the update's own (a download, a staged or backed-up copy, a file it put
// beside a target), also a read-only one, or a link at its name; never what a link points to.
// No when nothing was removed.
bool RemoveOwnCopy(const QString& path);
