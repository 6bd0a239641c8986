#include "PackageFiles.h"

#include "ZipEntryMode.h"
#include "ZipEntryName.h"

#include <QFile>

std::optional<QStringList> PackageFiles(const QString& archivePath)
{
    int error = 0;
    const ZipArchive archive(
        zip_open(archivePath.toUtf8().constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive)
        return std::nullopt;
    QStringList files;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_uint64_t index = 0; index < zip_uint64_t(count); ++index) {
        const char* rawName = zip_get_name(archive.get(), index, ZIP_FL_ENC_GUESS);
        if (rawName == nullptr)
            return std::nullopt;
        const QString name = QString::fromUtf8(rawName);
        // 0 when the archive was made elsewhere.
        const zip_uint32_t type = UnixMode(archive.get(), index) & UnixTypeMask;
        if (LeavesFolder(name) || (type != 0 && type != UnixRegularFile && type != UnixFolder))
            return std::nullopt;
        if (const std::optional<QString> file = TopLevelFileName(name); file && type != UnixFolder)
            files.push_back(*file);
    }
    return files;
}
