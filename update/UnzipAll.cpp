#include "update/UnzipAll.h"

#include "platform/FileSync.h"
#include "update/PackageFiles.h"

#include <QDir>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <array>
#include <filesystem>

namespace {

Q_LOGGING_CATEGORY(lcUnzip, "quillane.unzip")

struct ZipFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

QFileDevice::Permissions PermissionsOf(const PackageMember& member)
{
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (member.executable)
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    return permissions;
}

// A new file of its own beside the members, opened for writing; QTemporaryFile is not used
// because it keeps its file open after close(), which Windows will not rename.
bool OpenNewCopy(const QDir& folder, QFile& copy)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        copy.setFileName(folder.filePath(
            QStringLiteral(".unzip-%1")
                .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'))));
        if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
    }
    return false;
}

// Copies one member into the new file; the bytes actually read count against the budget,
// whatever the archive declared. The file is closed and written through to the disk.
bool CopyOut(zip_t* archive, const PackageMember& member, QFile& copy, zip_uint64_t& budget)
{
    const ZipFile source(zip_fopen_index(archive, member.index, 0));
    if (!source)
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
    if (!copy.flush())
        return false;
    copy.close();
    return copy.error() == QFileDevice::NoError &&
           platform::SyncFile(QDir::toNativeSeparators(copy.fileName()).toStdString()) &&
           copy.setPermissions(PermissionsOf(member));
}

// Unpacks one member. The rename replaces whatever has the name, a link included, without
// following it (a save in place would write through a planted link).
bool Unpack(zip_t* archive, const PackageMember& member, const QDir& folder, zip_uint64_t& budget)
{
    QFile copy;
    if (!OpenNewCopy(folder, copy))
        return false;
    std::error_code error;
    if (CopyOut(archive, member, copy, budget))
        std::filesystem::rename(
            std::filesystem::path(copy.fileName().toStdU16String()),
            std::filesystem::path(folder.filePath(member.fileName).toStdU16String()), error);
    else
        error = std::make_error_code(std::errc::io_error);
    if (error) {
        copy.close();
        copy.remove();
        return false;
    }
    return true;
}

} // namespace

int UnzipAll(const QByteArray& package, const QString& folder, const QStringList& only)
{
    const ZipArchive archive = OpenZipBytes(package);
    if (!archive) {
        qCWarning(lcUnzip) << "not a readable archive";
        return 0;
    }
    const std::optional<std::vector<PackageMember>> members = PackageMembers(archive.get());
    if (!members)
        return 0;
    zip_uint64_t budget = MaxUnpackedBytes;
    int unpacked = 0;
    for (const PackageMember& member : *members) {
        if (!only.isEmpty() && !only.contains(member.fileName, Qt::CaseInsensitive))
            continue;
        if (!Unpack(archive.get(), member, QDir(folder), budget)) {
            qCWarning(lcUnzip) << "failed to unpack" << member.fileName << "into" << folder;
            return 0;
        }
        ++unpacked;
    }
    return unpacked;
}
