#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Files of the update written so that a power cut leaves each name with a whole file, old or new.

// Writes the bytes to a new file at the path (never through a link planted there), through to
// the disk.
bool WriteDurably(const QString& path, const QByteArray& bytes, QFile::Permissions permissions);

// A rename within one folder; an existing target is replaced in one step.
bool RenameOver(const QString& from, const QString& to);

// Makes the folder's entries durable.
bool SyncFolder(const QString& folder);

// Makes the rename of the file at the path durable.
bool SyncFolderOf(const QString& path);

// Replaces the file at the path whole: the bytes are written beside it (the path and ".part"),
// through to the disk, and renamed over it. A part left by a cut is replaced; a failed write
// leaves none.
bool ReplaceDurably(const QString& path, const QByteArray& bytes, QFile::Permissions permissions);
