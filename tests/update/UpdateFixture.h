#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <string>
#include <vector>
#include <zip.h>

// Small helpers of the update tests: files, folder snapshots and packages.

inline void WriteFile(const QString& path, const QByteArray& content,
                      QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
    file.close();
    QFile::setPermissions(path, permissions);
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder below the root with its content ("<dir>" for folders), except the
// folders named in skipped.
inline std::map<QString, QByteArray> Snapshot(const QString& root, const QStringList& skipped = {})
{
    std::map<QString, QByteArray> entries;
    const QDir base(root);
    std::vector<QString> pending{root};
    while (!pending.empty()) {
        const QString folder = pending.back();
        pending.pop_back();
        for (const QFileInfo& info : QDir(folder).entryInfoList(
                 QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            const QString relative = base.relativeFilePath(info.filePath());
            if (skipped.contains(relative))
                continue;
            if (info.isDir() && !info.isSymLink()) {
                entries[relative] = "<dir>";
                pending.push_back(info.filePath());
            } else {
                entries[relative] = info.isSymLink() ? "<link>" : ReadFile(info.filePath());
            }
        }
    }
    return entries;
}

struct PackageEntry
{
    std::string name;
    std::string content;
    zip_uint32_t unixMode = 0100644;
};

// Writes a ZIP archive with the entries, as a release would.
inline bool WritePackage(const QString& path, const std::vector<PackageEntry>& entries)
{
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr)
        return false;
    for (const PackageEntry& entry : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, entry.content.data(), entry.content.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0)
            return false;
        zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                         entry.unixMode << 16);
    }
    return zip_close(archive) == 0;
}
