#include "app/TempFolder.h"

#include "core/program/MessageBox.h"
#include "platform/FolderCleanup.h"

#include <QDir>
#include <QFileInfo>

namespace {

// What an earlier update may have left behind.
const std::vector<std::string> LeftoverFiles = {
    "quillane.mdb",         "QUILLANE_UP.EXE",     "Quillane.EXE",
    "QUILLANE_Version.INI", "QUILLANE_UPDATE.ZIP",
};

// Whether anything is at the name, a link included, whether or not it leads anywhere.
bool SomethingAt(const QString& path)
{
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink() || entry.isJunction();
}

} // namespace

bool PrepareTempFolder(const QString& folder)
{
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (SomethingAt(path)) {
        platform::RemoveFilesOfOwnFolder(QDir::toNativeSeparators(path).toStdString(),
                                         LeftoverFiles);
        return true;
    }
    if (QDir().mkpath(path))
        return true;
    ShowMessage({.text = QStringLiteral("폴더를 생성할수 없습니다"),
                 .caption = WarningCaption,
                 .icon = MessageIcon::Error});
    return false;
}
