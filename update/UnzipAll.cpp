#include "UnzipAll.h"

#include "MessageBox.h"
#include "ZipEntryMode.h"
#include "ZipEntryName.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryFile>
#include <array>
#include <filesystem>
#include <memory>
#include <zip.h>

namespace {

Q_LOGGING_CATEGORY(lcUnzip, "quillane.unzip")

constexpr zip_int64_t MaxEntries = 10000;
constexpr zip_uint64_t MaxUnpackedBytes = 512ULL * 1024 * 1024;

constexpr zip_uint32_t UnixExecuteBits = 0111;

struct ZipFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

// What the archive says of an entry that may be unpacked.
struct Entry
{
    zip_uint64_t index;
    QString fileName;
    bool executable;
};

// The entries to unpack, or nothing when the archive as a whole is refused.
std::optional<std::vector<Entry>> UsableEntries(zip_t* archive)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count > MaxEntries) {
        qCWarning(lcUnzip) << "refused: more than" << MaxEntries << "entries";
        return std::nullopt;
    }
    std::vector<Entry> entries;
    zip_uint64_t declaredBytes = 0;
    for (zip_uint64_t index = 0; index < zip_uint64_t(count); ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive, index, ZIP_FL_ENC_GUESS, &stat) != 0)
            return std::nullopt;
        const QString name = QString::fromUtf8(stat.name);
        const std::optional<QString> fileName = TopLevelFileName(name);
        const zip_uint32_t mode = UnixMode(archive, index);
        if (!fileName || (mode != 0 && (mode & UnixTypeMask) != UnixRegularFile)) {
            qCInfo(lcUnzip) << "skipped" << name;
            continue;
        }
        declaredBytes += stat.size;
        if (declaredBytes > MaxUnpackedBytes) {
            qCWarning(lcUnzip) << "refused: more than" << MaxUnpackedBytes << "bytes unpacked";
            return std::nullopt;
        }
        entries.push_back({index, *fileName, (mode & UnixExecuteBits) != 0});
    }
    return entries;
}

QFileDevice::Permissions PermissionsOf(const Entry& entry)
{
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (entry.executable)
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    return permissions;
}

// Copies one entry into a new temporary file beside its target; the bytes actually read count
// against the budget, whatever the archive declared.
bool CopyOut(zip_t* archive, const Entry& entry, QTemporaryFile& copy, zip_uint64_t& budget)
{
    const ZipFile source(zip_fopen_index(archive, entry.index, 0));
    if (!source || !copy.open())
        return false;
    std::array<char, 65536> buffer{};
    for (;;) {
        const zip_int64_t read = zip_fread(source.get(), buffer.data(), buffer.size());
        if (read < 0 || zip_uint64_t(read) > budget)
            return false;
        if (read == 0)
            break;
        budget -= zip_uint64_t(read);
        if (copy.write(buffer.data(), read) != read)
            return false;
    }
    copy.close();
    return copy.error() == QFileDevice::NoError && copy.setPermissions(PermissionsOf(entry));
}

// Unpacks one entry. The rename replaces whatever has the name, a link included, without
// following it (a save in place would write through a planted link).
bool Unpack(zip_t* archive, const Entry& entry, const QDir& folder, zip_uint64_t& budget)
{
    QTemporaryFile copy(folder.filePath(QStringLiteral(".unzip-XXXXXX")));
    if (!CopyOut(archive, entry, copy, budget))
        return false;
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(copy.fileName().toStdU16String()),
                            std::filesystem::path(folder.filePath(entry.fileName).toStdU16String()),
                            error);
    if (error)
        return false;
    copy.setAutoRemove(false);
    return true;
}

// The number of files unpacked, 0 when the archive cannot be read or is refused.
int ExtractTopLevelFiles(const QString& archivePath, const QString& folderPath)
{
    int error = 0;
    const ZipArchive archive(zip_open(archivePath.toUtf8().constData(), ZIP_RDONLY, &error));
    if (!archive) {
        qCWarning(lcUnzip) << "cannot open" << archivePath << "error" << error;
        return 0;
    }
    const std::optional<std::vector<Entry>> entries = UsableEntries(archive.get());
    if (!entries)
        return 0;
    const QDir folder(folderPath);
    zip_uint64_t budget = MaxUnpackedBytes;
    int unpacked = 0;
    for (const Entry& entry : *entries) {
        if (!Unpack(archive.get(), entry, folder, budget)) {
            qCWarning(lcUnzip) << "failed to unpack" << entry.fileName << "from" << archivePath;
            return 0;
        }
        ++unpacked;
    }
    return unpacked;
}

} // namespace

int UnzipAll(const QString& archive, const QString& folder)
{
    if (QFileInfo(archive).suffix().toUpper() != QStringLiteral("ZIP"))
        return 0;
    const int unpacked = ExtractTopLevelFiles(archive, folder);
    if (unpacked <= 0)
        ReportUnpackFailure();
    return unpacked;
}

void ReportUnpackFailure()
{
    ShowMessage({QStringLiteral("압축풀기 실패했습니다. 자료를 확인하세요"),
                 QStringLiteral("ERRORS"), MessageIcon::Error});
}
