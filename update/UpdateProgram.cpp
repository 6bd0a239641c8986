#include "UpdateProgram.h"

#include "DownloadListedFile.h"
#include "FetchTextList.h"
#include "FileNameCase.h"
#include "FolderPrivacy.h"
#include "MessageBox.h"
#include "PackageFiles.h"
#include "PackageSignature.h"
#include "Pause.h"
#include "ProgramStart.h"
#include "Quillane_Define.h"
#include "QuitNow.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "UnzipAll.h"
#include "UpdateKey.h"
#include "UpdateStaging.h"
#include "VersionNumber.h"
#include "quillane_update.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QScreen>

namespace {

Q_LOGGING_CATEGORY(lcUpdate, "quillane.update")

const QString VersionFile = QStringLiteral("QUILLANE_Version.INI");
const QString PackageFile = QStringLiteral("QUILLANE_UPDATE.ZIP");
const QString SignatureFile = QStringLiteral("QUILLANE_UPDATE.sig");
const QString UpdaterFile = QStringLiteral("Quillane_UP.EXE");
constexpr int StepPauseMs = 1000;
constexpr int ShownNormally = 1;

// The progress window while it lives.
QPointer<Tfrm_Update> frm_Update;

QString ServerAddress()
{
    return QStringLiteral("http://") + Config.serviceHost;
}

void PauseAndLetMessagesRun()
{
    Pause(StepPauseMs);
    QCoreApplication::processEvents();
}

// The server's version from the downloaded version file; "0" without one.
QString ServerVersion()
{
    const QString path = Config.tempFolder + VersionFile;
    if (!FileExistsIgnoringCase(Config.tempFolder + QStringLiteral("QUILLANE_Version.ini")))
        return QStringLiteral("0");
    return ReadIniString(path, SettingsKeys::VersionInfo, SettingsKeys::Version, {});
}

void ShowProgressWindow()
{
    frm_Update = new Tfrm_Update;
    frm_Update->Image1->show();
    frm_Update->Image2->hide();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frm_Update->move(screen->availableGeometry().center() - frm_Update->rect().center());
    frm_Update->show();
    QCoreApplication::processEvents();
}

void CloseProgressWindow()
{
    if (frm_Update)
        frm_Update->close();
    delete frm_Update;
}

// With a key in the build, the package counts only when its signature file vouches for it as
// the server's version.
bool PackageVouchedFor(HttpClient& client, const QStringList& list, qint64 serverVersion)
{
    const QByteArray key = UpdatePublicKey();
    if (key.isEmpty())
        return true;
    // A signature file of an earlier update must not stand in for a missing one.
    QFile::remove(ExistingFilePath(Config.tempFolder + SignatureFile));
    DownloadListedFile(client, list, ServerAddress() + QStringLiteral("/Update"), SignatureFile,
                       Config.tempFolder + SignatureFile, Config.tempFolder);
    if (PackageSignatureHolds(ExistingFilePath(Config.tempFolder + SignatureFile),
                              ExistingFilePath(Config.tempFolder + PackageFile), serverVersion,
                              key))
        return true;
    ShowMessage({.text = QStringLiteral("업데이트 파일이 협회에서 보낸 것인지 확인할 수 없어 "
                                        "업데이트하지 않았습니다.\r\n지금 버전으로 계속 "
                                        "사용하시고, 문제가 계속되면 협회에 문의해 주십시오."),
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error});
    return false;
}

// Downloads, checks and unpacks the package into the temporary folder. A package that did not
// arrive whole, is not vouched for, is hostile or unpacks nothing stops the update.
bool FetchPackage(HttpClient& client, const QStringList& list, qint64 serverVersion)
{
    DownloadListedFile(client, list, ServerAddress() + QStringLiteral("/Update"), PackageFile,
                       Config.tempFolder + PackageFile, Config.tempFolder);
    PauseAndLetMessagesRun();
    const QString package = ExistingFilePath(Config.tempFolder + PackageFile);
    if (!PackageVouchedFor(client, list, serverVersion))
        return false;
    if (!PackageFiles(package)) {
        ReportUnpackFailure();
        return false;
    }
    const int unpacked = UnzipAll(package, Config.tempFolder);
    PauseAndLetMessagesRun();
    return unpacked > 0;
}

// An updater that the package brought goes to the program folder when none is there; one
// already there stays, even when the package brings a newer one.
void PlaceUpdater()
{
    const QString unpacked = Config.tempFolder + UpdaterFile;
    const QString installed = ProgramFolder + UpdaterFile;
    if (FileExistsIgnoringCase(unpacked) && !FileExistsIgnoringCase(installed)) {
        QFile::copy(ExistingFilePath(unpacked), installed);
        Pause(StepPauseMs);
    }
}

void RecordVersion(const QString& version)
{
    WriteIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::VersionInfo,
                   SettingsKeys::Version, version);
}

// The version is recorded before the updater runs; the updater is made executable and started,
// and this process ends. An updater that cannot be started would leave no program running: the
// installed version is then recorded again and the start-up goes on.
void HandOverToUpdater(const QString& serverVersion, const QString& installedVersion)
{
    const QString updater = ExistingFilePath(Trimmed(ProgramFolder) + UpdaterFile);
    RecordVersion(serverVersion);
    delete frm_Update;
    QFile::setPermissions(updater, QFile::permissions(updater) | QFile::ExeOwner | QFile::ExeGroup |
                                       QFile::ExeOther);
    if (platform::RunProgram(updater.toStdString(), ShownNormally) != 0) {
        RecordVersion(installedVersion);
        return;
    }
    QCoreApplication::processEvents();
    QuitNow();
}

} // namespace

void UpdateProgram(const QString& installedVersion)
{
    RemoveUpdateBackup(ProgramFolder);
    HttpClient client;
    QStringList list;
    if (FetchTextList(client, list,
                      ServerAddress() + QStringLiteral("/AutoUpgradeServer.dll?path=UPDATE")) < 2)
        return;
    DownloadListedFile(client, list, ServerAddress() + QStringLiteral("/Update"), VersionFile,
                       Config.tempFolder + VersionFile, Config.tempFolder);
    PauseAndLetMessagesRun();
    const QString serverText = ServerVersion();
    const QString installedText =
        Trimmed(installedVersion).isEmpty() ? QStringLiteral("0") : installedVersion;
    const std::optional<qint64> server = VersionNumber(serverText);
    const std::optional<qint64> installed = VersionNumber(installedText);
    if (!server || !installed || *installed >= *server)
        return;

    if (!platform::FolderIsPrivate(Config.tempFolder.toStdString())) {
        qCWarning(lcUpdate) << "no update: others may write to" << Config.tempFolder;
        return;
    }
    ShowProgressWindow();
    if (!FetchPackage(client, list, *server)) {
        CloseProgressWindow();
        return;
    }
    PlaceUpdater();
    if (FileExistsIgnoringCase(ProgramFolder + UpdaterFile)) {
        HandOverToUpdater(serverText.trimmed(), installedVersion);
        return;
    }
    CloseProgressWindow();
}
