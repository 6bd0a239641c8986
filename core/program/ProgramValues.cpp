#include "core/program/ProgramValues.h"

void InitProgramValues(const QString& executableFolder)
{
    Config = ReadProgramConfig(executableFolder);
    BaseUrl = QStringLiteral("http://") + Config.serviceHost + QStringLiteral("/Quillane/");
    ProgramFolder = Config.programFolder;
    SetupIniPath = ProgramFolder + QStringLiteral("setup.ini");
}
