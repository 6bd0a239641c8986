#pragma once

#include "update/ZipEntryKind.h"

#include <QStringList>
#include <optional>
#include <vector>

// One file that an update package brings.
struct PackageMember
{
    zip_uint64_t index;
    QString fileName; // as TopLevelFileName gives it
    bool executable;
};

// The package's top-level files, in the archive's order; entries in sub-folders and folder
// entries are not part of it. Nothing when the archive is hostile as a whole: an entry that would
// land outside the unpacking folder, a link, device or anything else that is neither a file nor
// a folder, a top-level name that Windows would read as another file, two entries naming one
// file (letters without regard to case), more than 10,000 entries or more than 512 MiB unpacked.
std::optional<std::vector<PackageMember>> PackageMembers(zip_t* archive);

// The names of the package's files, or nothing when the archive cannot be read or is hostile.
std::optional<QStringList> PackageFiles(const QByteArray& package);

// The most bytes that a package may unpack to.
constexpr zip_uint64_t MaxUnpackedBytes = 512ULL * 1024 * 1024;
