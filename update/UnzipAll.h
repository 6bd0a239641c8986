#pragma once

#include <QString>

// Unpacks the top-level files of a ZIP archive into the folder, replacing files of the same
// names, and returns how many were unpacked. An archive whose name does not end in ".ZIP" (in any
// letter case) is left alone (0, no message). When nothing could be unpacked (a damaged archive,
// no usable entry) the user is told so and the result is 0.
//
// Nothing lands outside the folder: entries in sub-folders and unsafe names are skipped (see
// TopLevelFileName), as are links, devices and other entries that are not regular files; each
// file is written to a new temporary file and renamed into place, so an existing link at its
// name is replaced, never followed. An archive of more than 10,000 entries or 512 MiB unpacked
// is refused whole. Unix execute permissions stored in the archive are kept.
int UnzipAll(const QString& archive, const QString& folder);

// Tells the user that the package could not be unpacked ("압축풀기 실패했습니다. 자료를
// 확인하세요", caption "ERRORS").
void ReportUnpackFailure();
