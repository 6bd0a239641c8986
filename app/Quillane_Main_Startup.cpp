#include "Autostart.h"
#include "BasicInfoWindow.h"
#include "ConnectionCheck.h"
#include "DesktopLink.h"
#include "EditionDetection.h"
#include "FileNameCase.h"
#include "FileSystem.h"
#include "FormEncoding.h"
#include "LocalDatabase.h"
#include "ManagementIniCopy.h"
#include "ManagementServices.h"
#include "ModalDialog.h"
#include "Quillane_Define.h"
#include "Quillane_Main.h"
#include "QuitNow.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "TempFolder.h"
#include "UpdateProgram.h"
#include "UpdateStart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The argument with which the desktop link starts the program: a second start shows the
// running copy's main screen.
const QString LinkArgument = QStringLiteral("C:\\Windows\\win.ini");
const QString LinkTitle = QStringLiteral("초록우체통");

// Links of the program's former name, removed wherever they may lie.
const char* const FormerLinks[] = {
    "C:\\Users\\Public\\Desktop\\푸른등대.lnk",
    "C:\\Documents and Settings\\All Users\\바탕 화면\\푸른등대.lnk",
    "C:\\Users\\Administrator\\Desktop\\푸른등대.lnk",
};

QString SettingsFile()
{
    return ProgramFolder + SettingsKeys::FileName;
}

// The running executable's name in the program folder, as the system writes paths (the Run
// value and the desktop link are read by the system's shell).
QString ProgramExecutable()
{
    return QDir::toNativeSeparators(ProgramFolder +
                                    QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

// The first run leaves the version "0" and the program folder, as the system writes paths, in
// the settings file; the answer is the installed version.
QString PrepareSettingsFile()
{
    if (!FileExistsIgnoringCase(ProgramFolder + QStringLiteral("QUILLANE.INI"))) {
        WriteIniString(SettingsFile(), SettingsKeys::VersionInfo, SettingsKeys::Version,
                       QStringLiteral("0"));
        WriteIniString(SettingsFile(), SettingsKeys::VersionInfo, SettingsKeys::FilePath,
                       QDir::toNativeSeparators(ProgramFolder));
    }
    return ReadIniString(SettingsFile(), SettingsKeys::VersionInfo, SettingsKeys::Version, {});
}

} // namespace

void Tfrm_Quillane_Main::Startup()
{
    FinishLastUpdate();
    SignInAnswer.clear();
    RunConnectivityTest();
    CreateDesktopShortcut();
    platform::RefreshDesktop();
    SetupIniPath = ProgramFolder + QStringLiteral("setup.ini");
    RefreshManagementIniCopy();
    lbVer->setText(VersionCaption);
    DetectedEdition = DetectEdition();
    lbQX2000->setText(DetectedEdition);
    const QString installedVersion = PrepareSettingsFile();
    if (!PrepareTempFolder(Config.tempFolder)) {
        QuitNow();
        return;
    }
    QCoreApplication::processEvents();
    UpdateProgram(installedVersion);
    OpenLocalDatabase();
    RegisterAutostart();
    HideToTray();
    SignIn();
    RoutineTicks = 0;
}

void Tfrm_Quillane_Main::SignIn()
{
    PaLicense.clear();
    PaName.clear();
    ComName.clear();
    PaName =
        ReadIniString(SettingsFile(), SettingsKeys::BasicInfo, SettingsKeys::PharmacistName, {});
    PaLicense =
        ReadIniString(SettingsFile(), SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense, {});
    ComName =
        ReadIniString(SettingsFile(), SettingsKeys::BasicInfo, SettingsKeys::CheckComputer, {});
    if (ComName.isEmpty())
        ComName = LocalComputerName();
    AutoCheck = ReadIniString(SettingsFile(), SettingsKeys::BasicInfo, SettingsKeys::AutoCheckKey,
                              AutoCheck);
    const QString signInName = PaName;

    // The registration in a basic-information window opened here signs in again before the
    // window closes: that inner sign-in posts what was just stored and opens no second window.
    if (AutoCheck != QStringLiteral("Y") && !KibonOpenBySignIn) {
        ShowModalKibon();
        WriteIniString(SettingsFile(), SettingsKeys::BasicInfo, SettingsKeys::FirstSignIn,
                       QStringLiteral("Y"));
        WriteIniString(SettingsFile(), SettingsKeys::BasicInfo, SettingsKeys::AutoCheckKey,
                       QStringLiteral("Y"));
    }

    PostPage(WebBrowser1, QStringLiteral("ComCheck2.asp"),
             QStringLiteral("P_PANAME       =") + FormValue(Trimmed(signInName)) +
                 QStringLiteral("&P_PALICENSE  =") + FormValue(Trimmed(PaLicense)) +
                 QStringLiteral("&P_COMNAME    =") + FormValue(Trimmed(ComName)));
}

void Tfrm_Quillane_Main::ShowModalKibon()
{
    const QPointer<BasicInfoWindow> kibon = new BasicInfoWindow;
    KibonOpenBySignIn = kibon;
    ShowModal(*kibon);
    if (kibon)
        kibon->FinishRequests();
    delete kibon;
}

void Tfrm_Quillane_Main::CreateDesktopShortcut()
{
    const platform::ShellLink link{
        .target = ProgramExecutable().toStdString(),
        .arguments = LinkArgument.toStdString(),
        .workingFolder = QDir::toNativeSeparators(ProgramFolder).toStdString(),
    };
    const std::string desktop = platform::DesktopFolder();
    for (const char* former : FormerLinks)
        platform::RemoveFile(former);
    platform::CreateDesktopLink(desktop, LinkTitle.toStdString(), link);
}

void Tfrm_Quillane_Main::OpenLocalDatabase()
{
    Login = std::make_unique<TLOGIN>();
    ADOQuery2 = std::make_unique<QSqlQuery>(LocalConnection());
    ADOQuery2->setForwardOnly(true);
}

void Tfrm_Quillane_Main::RegisterAutostart()
{
    platform::RegisterAutostart(ProgramExecutable().toStdString());
}
