#pragma once

#include <QStringList>
#include <optional>

// The files an update package brings: the names of its top-level regular files, in the
// archive's order. Entries in sub-folders are not part of it. Nothing when the archive cannot be
// read or when it is hostile: an entry that would land outside the unpacking folder, or a link,
// a device or anything else that is neither a file nor a folder.
std::optional<QStringList> PackageFiles(const QString& archive);
