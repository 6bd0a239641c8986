#include "update/AddedFiles.h"

#include "update/DurableFile.h"
#include "update/ZipEntryName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

Q_LOGGING_CATEGORY(lcAdded, "quillane.added")

constexpr qint64 MaxListBytes = 1024 * 1024;

// A name the uninstaller may remove: a file right in the program folder, never the settings,
// and no wildcard, with which the uninstaller would remove more than one file.
bool IsListable(const QString& name)
{
    return TopLevelFileName(name) == name && !name.contains(u'*') && !name.contains(u'?') &&
           name.compare(QStringLiteral("quillane.ini"), Qt::CaseInsensitive) != 0;
}

bool IsListed(const QStringList& list, const QString& name)
{
    return list.contains(name, Qt::CaseInsensitive);
}

// The listable names of the existing list; none when there is none or it cannot be read.
QStringList ReadList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxListBytes)
        return {};
    QStringDecoder utf16(QStringConverter::Utf16LE);
    QStringList names;
    for (const QString& line : QString(utf16(file.readAll())).split(u'\n')) {
        const QString name = line.endsWith(u'\r') ? line.chopped(1) : line;
        if (IsListable(name) && !IsListed(names, name))
            names.append(name);
    }
    return names;
}

// The list in UTF-16LE with a byte-order mark, one name a line.
QByteArray ListBytes(const QStringList& names)
{
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QByteArray bytes;
    for (const QString& name : names)
        bytes += utf16(name + QStringLiteral("\r\n"));
    return bytes;
}

} // namespace

bool NoteAddedFiles(const QString& programFolder, const QStringList& names)
{
    const QString path = QDir(programFolder).filePath(AddedFilesListName);
    QStringList list = ReadList(path);
    bool grown = false;
    for (const QString& name : names) {
        if (IsListable(name) && !IsListed(list, name)) {
            list.append(name);
            grown = true;
        }
    }
    if (!grown)
        return true;
    if (!ReplaceDurably(path, ListBytes(list),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                            QFile::ReadOther)) {
        qCWarning(lcAdded) << "cannot write the list of added files" << path;
        return false;
    }
    return true;
}
