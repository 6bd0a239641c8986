#pragma once

#include <QString>
#include <optional>

// The file name under which an archive entry may be unpacked into the unpacking folder itself,
// or nothing. Only top-level files are unpacked; backslashes separate folders as slashes do, so
// an entry in a sub-folder, a folder entry and every name that could land elsewhere (empty,
// absolute, with a drive letter or a UNC prefix, "." or "..", control characters) give nothing.
//
// The name is the one Windows would use: trailing dots and spaces are dropped, so that
// "quillane.ini." names the settings file as it does there. Names that Windows would take for
// another file are refused: 8.3 short names ("QUILLA~1.INI") and device names ("NUL", "COM1.txt").
std::optional<QString> TopLevelFileName(const QString& entryName);

// Whether unpacking the entry with its folders would put it outside the unpacking folder: an
// absolute, drive-letter or UNC name, a ".." component, or control characters. Entries in
// sub-folders below the folder do not leave it.
bool LeavesFolder(const QString& entryName);
