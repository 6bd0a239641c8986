#include "app/ProgramFonts.h"

#include <QDir>
#include <QFontDatabase>

void LoadProgramFonts(const QString& programFolder)
{
    const QDir folder(programFolder);
    for (const QString& name : folder.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(folder.filePath(name));
}
