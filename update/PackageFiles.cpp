#include "PackageFiles.h"

#include "ZipEntryName.h"

#include <QFile>
#include <memory>
#include <zip.h>

namespace {

// The file-type bits of a Unix mode as the archive stores them in the upper half of the
// external attributes; 0 when the archive was made elsewhere.
constexpr zip_uint32_t UnixTypeMask = 0170000;
constexpr zip_uint32_t UnixRegularFile = 0100000;
constexpr zip_uint32_t UnixFolder = 0040000;

struct ZipCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

zip_uint32_t UnixType(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0 ||
        system != ZIP_OPSYS_UNIX)
        return 0;
    return (attributes >> 16) & UnixTypeMask;
}

} // namespace

std::optional<QStringList> PackageFiles(const QString& archivePath)
{
    int error = 0;
    const std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive)
        return std::nullopt;
    QStringList files;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_uint64_t index = 0; index < zip_uint64_t(count); ++index) {
        const char* rawName = zip_get_name(archive.get(), index, ZIP_FL_ENC_GUESS);
        if (rawName == nullptr)
            return std::nullopt;
        const QString name = QString::fromUtf8(rawName);
        const zip_uint32_t type = UnixType(archive.get(), index);
        if (LeavesFolder(name) || (type != 0 && type != UnixRegularFile && type != UnixFolder))
            return std::nullopt;
        if (const std::optional<QString> file = TopLevelFileName(name); file && type != UnixFolder)
            files.push_back(*file);
    }
    return files;
}
