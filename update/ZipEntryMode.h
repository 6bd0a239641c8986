#pragma once

#include <memory>
#include <zip.h>

// The file-type bits of a Unix mode as an archive stores them in the upper half of an entry's
// external attributes, and the two types an update package may hold.
constexpr zip_uint32_t UnixTypeMask = 0170000;
constexpr zip_uint32_t UnixRegularFile = 0100000;
constexpr zip_uint32_t UnixFolder = 0040000;

// The Unix mode stored for the entry, or 0 when the archive was made elsewhere.
zip_uint32_t UnixMode(zip_t* archive, zip_uint64_t index);

// An open archive, discarded unchanged at its end.
struct ZipCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;
