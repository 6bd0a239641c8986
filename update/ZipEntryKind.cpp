#include "update/ZipEntryKind.h"

#include <QByteArray>

namespace {

constexpr zip_uint32_t UnixTypeMask = 0170000;
constexpr zip_uint32_t UnixRegularFile = 0100000;
constexpr zip_uint32_t UnixFolder = 0040000;
constexpr zip_uint32_t UnixExecuteBits = 0111;

// The Unix mode stored for the entry, or 0 when the archive was made elsewhere.
zip_uint32_t UnixMode(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0 ||
        system != ZIP_OPSYS_UNIX)
        return 0;
    return attributes >> 16;
}

} // namespace

ZipEntryKind KindOf(zip_t* archive, zip_uint64_t index, const QString& name)
{
    switch (UnixMode(archive, index) & UnixTypeMask) {
    case 0:
        return name.endsWith(u'/') || name.endsWith(u'\\') ? ZipEntryKind::Folder
                                                           : ZipEntryKind::File;
    case UnixRegularFile:
        return ZipEntryKind::File;
    case UnixFolder:
        return ZipEntryKind::Folder;
    default:
        return ZipEntryKind::Other;
    }
}

bool IsExecutable(zip_t* archive, zip_uint64_t index)
{
    return (UnixMode(archive, index) & UnixExecuteBits) != 0;
}

ZipArchive OpenZipBytes(const QByteArray& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        return nullptr;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive == nullptr)
        zip_source_free(source);
    zip_error_fini(&error);
    return ZipArchive(archive);
}
