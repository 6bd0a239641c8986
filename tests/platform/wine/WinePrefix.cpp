#include "tests/platform/wine/WinePrefix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr const char* KoreanLocale = "ko_KR.UTF-8";
// Written when the prefix is complete; a prefix without it is made anew.
constexpr const char* ReadyMark = "quillane-prefix-ready";

bool KoreanLocaleGenerated()
{
    QProcess locales;
    locales.start(QStringLiteral("locale"), {QStringLiteral("-a")});
    locales.waitForFinished(10000);
    const QString names = QString::fromUtf8(locales.readAllStandardOutput()).toLower();
    return names.split(u'\n').contains(QStringLiteral("ko_kr.utf8"));
}

QString Failure(const QString& step, const WinePrefix::Result& result)
{
    return QStringLiteral("Wine cannot %1 (exit %2):\n%3%4")
        .arg(step)
        .arg(result.exitCode)
        .arg(result.output, result.errors);
}

} // namespace

WinePrefix::WinePrefix(QString wineProgram, QString wineServerProgram, QString prefixFolder,
                       QString xDisplay)
    : wine(std::move(wineProgram)), wineServer(std::move(wineServerProgram)),
      folder(std::move(prefixFolder)), display(std::move(xDisplay))
{
}

void WinePrefix::Set(const QString& name, const QString& value)
{
    variables.insert(name, value);
}

QString WinePrefix::Prepare() const
{
    if (!QFileInfo(wine).isExecutable() || !QFileInfo(wineServer).isExecutable())
        return QStringLiteral("wine64 or wineserver not found (\"%1\", \"%2\"): install Debian's "
                              "wine64 (scripts/test.sh does)")
            .arg(wine, wineServer);
    if (!KoreanLocaleGenerated())
        return QStringLiteral("the locale %1 is not generated, so Wine cannot use code page 949: "
                              "enable it in /etc/locale.gen and run locale-gen (scripts/test.sh "
                              "does)")
            .arg(KoreanLocale);
    if (QFileInfo::exists(QDir(folder).filePath(ReadyMark)))
        return {};
    return Create();
}

QString WinePrefix::Create() const
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder + QStringLiteral("/home"));
    const Result boot = Run({QStringLiteral("wineboot"), QStringLiteral("-i")}, 300000);
    if (boot.exitCode != 0)
        return Failure(QStringLiteral("create its prefix in ") + folder, boot);
    const Result driver = Run(
        {QStringLiteral("reg"), QStringLiteral("add"),
         QStringLiteral("HKCU\\Software\\Wine\\Drivers"), QStringLiteral("/v"),
         QStringLiteral("Graphics"), QStringLiteral("/d"),
         display.isEmpty() ? QStringLiteral("null") : QStringLiteral("x11"), QStringLiteral("/f")});
    if (driver.exitCode != 0)
        return Failure(QStringLiteral("choose its display driver"), driver);
    WaitForServerEnd();
    QFile mark(QDir(folder).filePath(ReadyMark));
    mark.open(QIODevice::WriteOnly);
    return {};
}

QString WinePrefix::DriveC() const
{
    return folder + QStringLiteral("/prefix/drive_c");
}

WinePrefix::Result WinePrefix::Run(const QStringList& arguments, int timeoutMs) const
{
    const std::unique_ptr<QProcess> process = Start(arguments);
    Result result;
    const bool ended = process->waitForFinished(timeoutMs);
    if (!ended) {
        process->kill();
        process->waitForFinished();
    }
    result.output = QString::fromUtf8(process->readAllStandardOutput());
    result.errors = QString::fromUtf8(process->readAllStandardError());
    if (!ended)
        result.errors += QStringLiteral("(no end within %1 ms)\n").arg(timeoutMs);
    else if (process->exitStatus() == QProcess::NormalExit)
        result.exitCode = process->exitCode();
    return result;
}

std::unique_ptr<QProcess> WinePrefix::Start(const QStringList& arguments) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(Environment());
    process->start(wine, arguments);
    return process;
}

void WinePrefix::WaitForServerEnd() const
{
    QProcess server;
    server.setProcessEnvironment(Environment());
    server.start(wineServer, {QStringLiteral("-w")});
    server.waitForFinished(60000);
}

QProcessEnvironment WinePrefix::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(variables);
    const QString home = folder + QStringLiteral("/home");
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("WINEPREFIX"), folder + QStringLiteral("/prefix"));
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    environment.insert(QStringLiteral("WINEDLLOVERRIDES"),
                       QStringLiteral("mscoree,mshtml=;winemenubuilder.exe=d"));
    environment.insert(QStringLiteral("LANG"), KoreanLocale);
    environment.insert(QStringLiteral("LC_ALL"), KoreanLocale);
    return environment;
}
