#include "ZipEntryName.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

bool IsControl(QChar character)
{
    return character.unicode() < 0x20 || character.unicode() == 0x7F;
}

} // namespace

std::optional<QString> TopLevelFileName(const QString& entryName)
{
    if (entryName.isEmpty() || entryName == u"." || entryName == u"..")
        return std::nullopt;
    // A separator anywhere means a folder entry, a sub-folder, an absolute or a UNC name; a colon
    // a drive letter (or a Windows stream).
    if (entryName.contains(u'/') || entryName.contains(u'\\') || entryName.contains(u':'))
        return std::nullopt;
    if (std::any_of(entryName.begin(), entryName.end(), IsControl))
        return std::nullopt;
    return entryName;
}

bool LeavesFolder(const QString& entryName)
{
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    if (entryName.startsWith(u'/') || entryName.startsWith(u'\\') || entryName.contains(u':'))
        return true;
    if (std::any_of(entryName.begin(), entryName.end(), IsControl))
        return true;
    return entryName.split(separator).contains(QStringLiteral(".."));
}
