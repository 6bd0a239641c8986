#include "platform/Autostart.h"

#include "platform/posix/DesktopEntry.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {

// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
QString AutostartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

} // namespace

bool RegisterAutostart(const std::string& programPath)
{
    const QString folder = AutostartFolder();
    if (!QDir().mkpath(folder))
        return false;
    const std::string content = "[Desktop Entry]\n"
                                "Type=Application\n"
                                "Name=초록우체통\n"
                                "Exec=" +
                                DesktopEntryExec({programPath}) +
                                "\n"
                                "Terminal=false\n"
                                "X-GNOME-Autostart-enabled=true\n";
    return WriteDesktopEntry((folder + QStringLiteral("/quillane.desktop")).toStdString(), content,
                             false);
}

} // namespace platform
