#include "platform/DesktopLink.h"

#include "platform/posix/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace platform {

namespace {

// The desktop named in $XDG_CONFIG_HOME/user-dirs.dirs (XDG_DESKTOP_DIR="$HOME/..." or an
// absolute path), or empty when the file does not name one.
QString UserDirsDesktop()
{
    QFile file(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/user-dirs.dirs"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression line(
        QStringLiteral(R"re(^\s*XDG_DESKTOP_DIR\s*=\s*"(.*)"\s*$)re"));
    while (!file.atEnd()) {
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(file.readLine()));
        if (!match.hasMatch())
            continue;
        QString folder = match.captured(1);
        if (folder.startsWith(QStringLiteral("$HOME")))
            folder.replace(0, 5, QDir::homePath());
        return QDir::isAbsolutePath(folder) ? folder : QString();
    }
    return {};
}

} // namespace

std::string DesktopFolder()
{
    const QString named = UserDirsDesktop();
    return (named.isEmpty() ? QDir::homePath() + QStringLiteral("/Desktop") : named).toStdString();
}

std::string DesktopLinkPath(const std::string& folder, const std::string& title)
{
    return folder + "/" + title + ".desktop";
}

bool CreateDesktopLink(const std::string& folder, const std::string& title, const ShellLink& link)
{
    const std::string path = DesktopLinkPath(folder, title);
    if (QFileInfo::exists(QString::fromStdString(path)))
        return true;
    if (!QFileInfo(QString::fromStdString(folder)).isDir())
        return false;
    const std::string content = "[Desktop Entry]\n"
                                "Type=Application\n"
                                "Name=" +
                                DesktopEntryValue(title) +
                                "\n"
                                "Exec=" +
                                DesktopEntryExec({link.target, link.arguments}) +
                                "\n"
                                "Path=" +
                                DesktopEntryValue(link.workingFolder) +
                                "\n"
                                "Terminal=false\n";
    return WriteDesktopEntry(path, content, true);
}

void RefreshDesktop() {}

} // namespace platform
