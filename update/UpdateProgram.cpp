#include "update/UpdateProgram.h"

#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/ProgramValues.h"
#include "core/program/ProgressStrip.h"
#include "core/program/QuitNow.h"
#include "core/program/Trimmed.h"
#include "core/requests/NetworkThread.h"
#include "core/settings/FileNameCase.h"
#include "core/settings/IniDocument.h"
#include "core/settings/SettingsKeys.h"
#include "platform/FolderPrivacy.h"
#include "platform/ProgramStart.h"
#include "update/DownloadListedFile.h"
#include "update/FetchTextList.h"
#include "update/PackageFiles.h"
#include "update/PackageSignature.h"
#include "update/UnzipAll.h"
#include "update/UpdateFolder.h"
#include "update/UpdateKey.h"
#include "update/UpdatePackage.h"
#include "update/VersionFloor.h"
#include "update/VersionNumber.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QScreen>

namespace {

Q_LOGGING_CATEGORY(lcUpdate, "quillane.update")

const QString VersionFile = QStringLiteral("QUILLANE_Version.INI");
const QString UpdaterFile = QStringLiteral("Quillane_UP.EXE");
constexpr int StepPauseMs = 1000;
constexpr int ShownNormally = 1;
// A version file is one section with one key.
constexpr qint64 MaxVersionFileBytes = 4096;
// The whole update holds the start-up for three request time-outs at most (three minutes), so
// that the sign-in comes whatever the server does; the next start tries again.
constexpr int UpdateTimeOuts = 3;

// The progress strip while it lives.
QPointer<ProgressStrip> progressStrip;

QString ServerAddress()
{
    return QStringLiteral("http://") + Config.serviceHost;
}

QString DownloadBase()
{
    return ServerAddress() + QStringLiteral("/Update");
}

void PauseAndLetMessagesRun()
{
    Pause(StepPauseMs);
    QCoreApplication::processEvents();
}

// Downloads a listed file of at most maxBytes into the update's folder, afresh: a file of an
// earlier update never stands in for one that did not arrive. The answer is whether it arrived.
bool Download(HttpClient& client, const QStringList& list, const QString& name, qint64 maxBytes)
{
    QFile::remove(ExistingFilePath(Config.updateFolder + name));
    return DownloadListedFile(client, list, DownloadBase(), name, Config.updateFolder + name,
                              Config.updateFolder, maxBytes) > 0;
}

// The server's version from the downloaded version file; "0" without one, nothing readable from
// one that is not a plain file within its limit.
QString ServerVersion()
{
    if (!FileExistsIgnoringCase(Config.updateFolder + QStringLiteral("QUILLANE_Version.ini")))
        return QStringLiteral("0");
    const std::optional<QByteArray> versionFile =
        ReadUpdateFile(ExistingFilePath(Config.updateFolder + VersionFile), MaxVersionFileBytes);
    if (!versionFile)
        return {};
    return IniDocument::FromBytes(*versionFile)
        .Value(SettingsKeys::VersionInfo, SettingsKeys::Version)
        .value_or(QString());
}

// An updater that could not put this version in place started the program again: this start goes
// on without handing over to it once more; the next one tries again.
bool UpdaterJustFailedOn(qint64 version)
{
    const QString mark = Config.updateFolder + FailedFileName;
    const std::optional<QByteArray> failed = ReadUpdateFile(mark, 64);
    QFile::remove(mark);
    return failed && VersionNumber(QString::fromLatin1(*failed)) == version;
}

// The updater, and what it loads, run from the program folder: where others may change them,
// the program starts none of them and says so.
bool ProgramFolderIsPrivate()
{
    if (platform::FolderIsPrivate(QDir::toNativeSeparators(ProgramFolder).toStdString()))
        return true;
    qCWarning(lcUpdate) << "no update: others may change the program folder" << ProgramFolder;
    ShowMessage(
        {.text = QStringLiteral("다른 사용자도 프로그램 폴더의 파일을 바꿀 수 있어 "
                                "업데이트하지 않았습니다.\r\n지금 버전으로 계속 사용하시고, "
                                "프로그램을 다시 설치하거나 관리자에게 문의해 주십시오."),
         .caption = QStringLiteral("경고"),
         .icon = MessageIcon::Error});
    return false;
}

void ShowProgressStrip()
{
    progressStrip = new ProgressStrip;
    progressStrip->ShowUpdatePicture();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        progressStrip->move(screen->availableGeometry().center() - progressStrip->rect().center());
    progressStrip->show();
    QCoreApplication::processEvents();
}

void CloseProgressStrip()
{
    if (progressStrip)
        progressStrip->close();
    delete progressStrip;
}

void ReportUnpackFailure()
{
    ShowMessage({QStringLiteral("압축풀기 실패했습니다. 자료를 확인하세요"),
                 QStringLiteral("ERRORS"), MessageIcon::Error});
}

// With a key in the build, the package counts only when its signature file vouches for exactly
// these bytes as the server's version.
bool PackageVouchedFor(HttpClient& client, const QStringList& list, const QByteArray& package,
                       qint64 serverVersion)
{
    const QByteArray key = UpdatePublicKey();
    if (key.isEmpty())
        return true;
    Download(client, list, SignatureFileName, LargestSignatureFile);
    if (VouchedVersion(package, Config.updateFolder, key) == serverVersion)
        return true;
    ShowMessage({.text = QStringLiteral("업데이트 파일이 협회에서 보낸 것인지 확인할 수 없어 "
                                        "업데이트하지 않았습니다.\r\n지금 버전으로 계속 "
                                        "사용하시고, 문제가 계속되면 협회에 문의해 주십시오."),
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error});
    return false;
}

// Downloads and checks the package. The answer is its bytes, read once: what was checked is what
// the updater is taken from. A package that did not arrive whole, is not vouched for, is hostile
// or brings no file stops the update, and it and its signature file are removed.
std::optional<QByteArray> FetchPackage(HttpClient& client, const QStringList& list,
                                       qint64 serverVersion)
{
    const bool arrived = Download(client, list, PackageFileName, MaxPackageBytes);
    PauseAndLetMessagesRun();
    const std::optional<QByteArray> package =
        arrived ? ReadUpdateFile(Config.updateFolder + PackageFileName, MaxPackageBytes)
                : std::nullopt;
    const bool vouchedFor = package && PackageVouchedFor(client, list, *package, serverVersion);
    const std::optional<QStringList> files =
        vouchedFor ? PackageFiles(*package) : std::optional<QStringList>();
    if (!files || files->isEmpty()) {
        QFile::remove(Config.updateFolder + PackageFileName);
        QFile::remove(Config.updateFolder + SignatureFileName);
        if (!package || vouchedFor)
            ReportUnpackFailure();
        return std::nullopt;
    }
    PauseAndLetMessagesRun();
    return package;
}

// An updater that the package brings goes to the program folder under its own name when none is
// there, taken from the checked bytes; one already there stays, even when the package brings a
// newer one.
void PlaceUpdater(const QByteArray& package)
{
    const QString installed = ProgramFolder + UpdaterFile;
    if (FileExistsIgnoringCase(installed) || UnzipAll(package, ProgramFolder, {UpdaterFile}) == 0)
        return;
    if (ExistingFilePath(installed) != installed)
        QFile::rename(ExistingFilePath(installed), installed);
    Pause(StepPauseMs);
}

// The version is handed over in the update's folder and the updater is made executable and
// started; this process ends. The updater records the version once the new files are in place.
// An updater that cannot be started would leave no program running: the start-up goes on.
void HandOverToUpdater(qint64 serverVersion)
{
    const QString updater = ExistingFilePath(Trimmed(ProgramFolder) + UpdaterFile);
    QFile handover(Config.updateFolder + HandoverFileName);
    if (handover.open(QIODevice::WriteOnly | QIODevice::Truncate))
        handover.write(QByteArray::number(serverVersion));
    handover.close();
    delete progressStrip;
    QFile::setPermissions(updater, QFile::permissions(updater) | QFile::ExeOwner | QFile::ExeGroup |
                                       QFile::ExeOther);
    if (const int error = platform::RunProgram(updater.toStdString(), ShownNormally)) {
        qCWarning(lcUpdate) << "cannot start the updater, error" << error;
        return;
    }
    QCoreApplication::processEvents();
    QuitNow();
}

} // namespace

void UpdateProgram(const QString& installedVersion)
{
    HttpClient client(QDeadlineTimer(UpdateTimeOuts * RequestTimeout()));
    QStringList list;
    if (FetchTextList(client, list,
                      ServerAddress() + QStringLiteral("/AutoUpgradeServer.dll?path=UPDATE")) < 2)
        return;
    if (!PrepareUpdateFolder(Config.updateFolder)) {
        qCWarning(lcUpdate) << "no update: others may write to" << Config.updateFolder;
        return;
    }
    Download(client, list, VersionFile, MaxVersionFileBytes);
    PauseAndLetMessagesRun();
    const QString installedText =
        Trimmed(installedVersion).isEmpty() ? QStringLiteral("0") : installedVersion;
    const std::optional<qint64> server = VersionNumber(ServerVersion());
    const std::optional<qint64> installed = VersionNumber(installedText);
    if (!server || !installed || *server <= VersionFloor(*installed))
        return;
    if (UpdaterJustFailedOn(*server)) {
        qCWarning(lcUpdate) << "the updater could not put version" << *server << "in place";
        return;
    }
    if (!ProgramFolderIsPrivate())
        return;

    ShowProgressStrip();
    const std::optional<QByteArray> package = FetchPackage(client, list, *server);
    if (!package) {
        CloseProgressStrip();
        return;
    }
    PlaceUpdater(*package);
    if (FileExistsIgnoringCase(ProgramFolder + UpdaterFile)) {
        HandOverToUpdater(*server);
        return;
    }
    CloseProgressStrip();
}
