#include "TempFolder.h"

#include "FileNameCase.h"
#include "MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// What an earlier update may have left behind.
const QStringList LeftoverFiles = {
    QStringLiteral("quillane.mdb"),        QStringLiteral("QUILLANE_UP.EXE"),
    QStringLiteral("Quillane.EXE"),        QStringLiteral("QUILLANE_Version.INI"),
    QStringLiteral("QUILLANE_UPDATE.ZIP"),
};

} // namespace

bool PrepareTempFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir()) {
        for (const QString& name : LeftoverFiles)
            if (FileExistsIgnoringCase(folder + name))
                QFile::remove(ExistingFilePath(folder + name));
        return true;
    }
    if (QDir().mkpath(folder))
        return true;
    ShowMessage({.text = QStringLiteral("폴더를 생성할수 없습니다"),
                 .caption = WarningCaption,
                 .icon = MessageIcon::Error});
    return false;
}
