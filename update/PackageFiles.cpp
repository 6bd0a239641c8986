#include "update/PackageFiles.h"

#include "update/ZipEntryName.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcPackage, "quillane.package")

constexpr zip_int64_t MaxEntries = 10000;

bool Refuse(const char* why, const QString& name = {})
{
    qCWarning(lcPackage) << "package refused:" << why << name;
    return false;
}

// Adds the entry to the members when it is a top-level file; false when it makes the package
// hostile.
bool Take(zip_t* archive, zip_uint64_t index, std::vector<PackageMember>& members,
          zip_uint64_t& declaredBytes)
{
    zip_stat_t stat;
    if (zip_stat_index(archive, index, ZIP_FL_ENC_GUESS, &stat) != 0 || stat.name == nullptr)
        return Refuse("an entry cannot be read");
    const QString name = QString::fromUtf8(stat.name);
    const ZipEntryKind kind = KindOf(archive, index, name);
    if (LeavesFolder(name) || kind == ZipEntryKind::Other)
        return Refuse("an entry would land elsewhere or is no file", name);
    if (kind == ZipEntryKind::Folder || name.contains(u'/') || name.contains(u'\\'))
        return true;
    const std::optional<QString> fileName = TopLevelFileName(name);
    if (!fileName)
        return Refuse("Windows would read the name as another file", name);
    for (const PackageMember& member : members)
        if (member.fileName.compare(*fileName, Qt::CaseInsensitive) == 0)
            return Refuse("two entries name one file", name);
    declaredBytes += stat.size;
    if (declaredBytes > MaxUnpackedBytes)
        return Refuse("it unpacks to more than 512 MiB");
    members.push_back({index, *fileName, IsExecutable(archive, index)});
    return true;
}

} // namespace

std::optional<std::vector<PackageMember>> PackageMembers(zip_t* archive)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > MaxEntries) {
        Refuse("more than 10,000 entries");
        return std::nullopt;
    }
    std::vector<PackageMember> members;
    zip_uint64_t declaredBytes = 0;
    for (zip_uint64_t index = 0; index < zip_uint64_t(count); ++index)
        if (!Take(archive, index, members, declaredBytes))
            return std::nullopt;
    return members;
}

std::optional<QStringList> PackageFiles(const QByteArray& package)
{
    const ZipArchive archive = OpenZipBytes(package);
    if (!archive)
        return std::nullopt;
    const std::optional<std::vector<PackageMember>> members = PackageMembers(archive.get());
    if (!members)
        return std::nullopt;
    QStringList files;
    for (const PackageMember& member : *members)
        files.push_back(member.fileName);
    return files;
}
