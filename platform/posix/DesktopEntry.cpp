#include "platform/posix/DesktopEntry.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

std::string DesktopEntryValue(const std::string& text)
{
    std::string value;
    for (const char c : text) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\r':
            value += "\\r";
            break;
        case '\t':
            value += "\\t";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::string DesktopEntryExec(const std::vector<std::string>& command)
{
    std::string exec;
    for (const std::string& argument : command) {
        if (!exec.empty())
            exec += ' ';
        exec += '"';
        for (const char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                exec += '\\';
            if (c == '%')
                exec += '%';
            exec += c;
        }
        exec += '"';
    }
    return DesktopEntryValue(exec);
}

bool WriteDesktopEntry(const std::string& path, const std::string& content, bool executable)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content.data(), static_cast<qint64>(content.size()));
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (executable)
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    return file.setPermissions(permissions) && file.commit();
}

} // namespace platform
