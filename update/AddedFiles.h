#pragma once

#include <QString>
#include <QStringList>

// The list in the program folder of the files that updates added to it, so that the uninstaller
// removes them with the files it installed itself: plain file names, one a line, in UTF-16LE
// with a byte-order mark (what the uninstaller reads on Windows).
inline const QString AddedFilesListName = QStringLiteral("Quillane.files");

// Adds the names to the list, each once. Lines of an existing list that are not plain file names
// of the folder, and the settings file, are dropped. The list is replaced whole in one step, so a
// cut leaves the old list or the new one. No when it could not be written.
bool NoteAddedFiles(const QString& programFolder, const QStringList& names);
