#pragma once

#include <QByteArray>
#include <QStringList>

// Unpacks the top-level files of an update package held in memory into the folder (only those
// named in `only`, letters without regard to case, when it is not empty), replacing files of the
// same names, and returns how many were unpacked; 0 when the package is refused whole (see
// PackageMembers) or a file cannot be written.
//
// Each file is written to a new temporary file beside its target, synchronised to the disk and
// renamed into place, so an existing link at its name is replaced, never followed, and a file is
// either the old one or the whole new one. Unix execute permissions stored in the archive are
// kept. The bytes actually unpacked count against the 512 MiB limit, whatever the archive
// declares.
int UnzipAll(const QByteArray& package, const QString& folder, const QStringList& only = {});
