#include "update/ZipEntryName.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

bool IsControl(QChar character)
{
    return character.unicode() < 0x20 || character.unicode() == 0x7F;
}

// Windows ignores dots and spaces at the end of a file name.
QString AsWindowsNamesIt(QString name)
{
    while (name.endsWith(u'.') || name.endsWith(u' '))
        name.chop(1);
    return name;
}

// A generated 8.3 short name ("QUILLA~1.INI") may stand for any long name in the folder.
bool IsShortNameForm(const QString& name)
{
    static const QRegularExpression shortName(QStringLiteral("~[0-9]+(\\.[^.]*)?$"));
    return shortName.match(name).hasMatch();
}

// Device names open the device, whatever extension follows.
bool IsDeviceName(const QString& name)
{
    static const QRegularExpression device(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[0-9¹²³]|LPT[0-9¹²³]|CONIN\\$|CONOUT\\$)(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return device.match(name).hasMatch();
}

} // namespace

std::optional<QString> TopLevelFileName(const QString& entryName)
{
    // A separator anywhere means a folder entry, a sub-folder, an absolute or a UNC name; a colon
    // a drive letter (or a Windows stream).
    if (entryName.contains(u'/') || entryName.contains(u'\\') || entryName.contains(u':'))
        return std::nullopt;
    if (std::any_of(entryName.begin(), entryName.end(), IsControl))
        return std::nullopt;
    const QString name = AsWindowsNamesIt(entryName);
    if (name.isEmpty() || IsShortNameForm(name) || IsDeviceName(name))
        return std::nullopt;
    return name;
}

bool LeavesFolder(const QString& entryName)
{
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    if (entryName.startsWith(u'/') || entryName.startsWith(u'\\') || entryName.contains(u':'))
        return true;
    if (std::any_of(entryName.begin(), entryName.end(), IsControl))
        return true;
    const QStringList parts = entryName.split(separator);
    return std::any_of(parts.begin(), parts.end(), [](const QString& part) {
        return !part.isEmpty() && AsWindowsNamesIt(part).isEmpty() && part.contains(u'.');
    });
}
