#include "core/program/ProgramConfig.h"
#include "update/updater/Updater.h"

#include <QCoreApplication>

// Quillane_UP: started by the program from its folder, without arguments, once the new version's
// files are unpacked in the temporary folder and the program is about to end.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return RunUpdater(ReadProgramConfig(QCoreApplication::applicationDirPath())) ? 0 : 1;
}
