#pragma once

#include <QString>
#include <memory>
#include <zip.h>

// What an archive entry is, decided in one place for the package check and the unpacking.
enum class ZipEntryKind
{
    File,
    Folder,
    Other, // a link, a device, a pipe: never unpacked
};

// The entry's kind from the Unix mode the archive stores for it, as common unpackers read it: a
// mode with file-type bits says what the entry is; a mode without them (permission bits alone,
// as some tools write) or an archive made elsewhere gives a file, or a folder when the name ends
// with a separator.
ZipEntryKind KindOf(zip_t* archive, zip_uint64_t index, const QString& name);

// Whether the stored Unix mode has an execute bit.
bool IsExecutable(zip_t* archive, zip_uint64_t index);

// An open archive, discarded unchanged at its end.
struct ZipCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

// Opens an archive held in memory; the bytes must outlive it. Nothing when it is no archive.
ZipArchive OpenZipBytes(const QByteArray& bytes);
