#include "app/StartupSteps.h"

#include "app/SecondStart.h"
#include "core/program/ProgramValues.h"
#include "core/settings/FileNameCase.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "platform/Autostart.h"
#include "platform/DesktopLink.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Links of the program's former name, removed wherever they may lie.
const char* const FormerLinks[] = {
    "C:\\Users\\Public\\Desktop\\푸른등대.lnk",
    "C:\\Documents and Settings\\All Users\\바탕 화면\\푸른등대.lnk",
    "C:\\Users\\Administrator\\Desktop\\푸른등대.lnk",
};

// The running executable's name in the program folder, as the system writes paths (the Run
// value and the desktop link are read by the system's shell).
QString ProgramExecutable()
{
    return QDir::toNativeSeparators(ProgramFolder +
                                    QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

} // namespace

void CreateDesktopShortcut()
{
    const platform::ShellLink link{
        .target = ProgramExecutable().toStdString(),
        .arguments = ShowMainScreenArgument.toStdString(),
        .workingFolder = QDir::toNativeSeparators(ProgramFolder).toStdString(),
    };
    const std::string desktop = platform::DesktopFolder();
    for (const char* former : FormerLinks)
        platform::RemoveFile(former);
    platform::CreateDesktopLink(desktop, ApplicationTitle.toStdString(), link);
}

QString PrepareSettingsFile()
{
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    if (!FileExistsIgnoringCase(settings)) {
        WriteIniString(settings, SettingsKeys::VersionInfo, SettingsKeys::Version,
                       QStringLiteral("0"));
        WriteIniString(settings, SettingsKeys::VersionInfo, SettingsKeys::FilePath,
                       QDir::toNativeSeparators(ProgramFolder));
    }
    return ReadIniString(settings, SettingsKeys::VersionInfo, SettingsKeys::Version, {});
}

void RegisterAutostart()
{
    platform::RegisterAutostart(ProgramExecutable().toStdString());
}
