#pragma once

#include <QStringList>

// Puts the named files from the source folder into the program folder, all or none. They are
// first copied into the staging folder beside the program folder (StagedFilesFolder), then each
// file they replace is moved to the backup folder and the new one renamed into its place. Only
// plain files are replaced: a folder or a link at a name fails the swap. On any failure every
// file already swapped is put back and the program folder is as before; after a swap the backup
// stays until the new version has started once. A file keeps the letter case of the one it
// replaces. The answer is whether the files were swapped in.
bool SwapIn(const QStringList& files, const QString& sourceFolder, const QString& programFolder);
