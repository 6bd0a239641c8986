#pragma once

#include <QString>

// File names that differ only in letter case name one file, as on Windows. The folders of a
// path are taken as given; the file name is looked up in its folder without regard to case.

// The path of the existing file whose name matches the path's file name without regard to case
// (the exact name first), or the path as given when there is none.
QString ExistingFilePath(const QString& path);

// Whether a file (not a folder) of that name exists, in any letter case.
bool FileExistsIgnoringCase(const QString& path);
