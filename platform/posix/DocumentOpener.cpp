#include "platform/DocumentOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace platform {

bool OpenDocument(const std::string& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

} // namespace platform
