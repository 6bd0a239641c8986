#include "tests/windows/WineDesktop.h"

#include <QProcess>
#include <QThread>

WineDesktop::WineDesktop()
    : wine(WINE64_PROGRAM, WINESERVER_PROGRAM, WINE_PREFIX_FOLDER, screen.Display())
{
}

QString WineDesktop::Prepare()
{
    if (!screen.Started())
        return QStringLiteral("Xvfb did not start");
    return wine.Prepare();
}

QString WineDesktop::UnixPath(const QString& windowsPath) const
{
    QString path = windowsPath.mid(2);
    path.replace(u'\\', u'/');
    return wine.DriveC() + path;
}

WinePrefix::Result WineDesktop::Command(const QString& line, int timeoutMs) const
{
    return wine.Run({QStringLiteral("cmd"), QStringLiteral("/c"), line}, timeoutMs);
}

std::unique_ptr<QProcess> WineDesktop::Start(const QStringList& arguments) const
{
    return wine.Start(arguments);
}

WinePrefix::Result WineDesktop::EndSession() const
{
    // Without --shutdown wineboot goes on as at a log-on and starts the Run values again.
    return wine.Run({QStringLiteral("wineboot"), QStringLiteral("--end-session"),
                     QStringLiteral("--shutdown")});
}

QStringList WineDesktop::Windows(const QString& titlePattern) const
{
    return screen
        .Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), titlePattern})
        .split(u'\n', Qt::SkipEmptyParts);
}

QString WineDesktop::WaitForWindow(const QString& titlePattern) const
{
    QStringList windows;
    WaitFor(
        [&] {
            windows = Windows(titlePattern);
            return !windows.isEmpty();
        },
        std::chrono::seconds(60));
    return windows.value(0);
}

bool WineDesktop::WaitUntilGone(const QString& titlePattern) const
{
    return WaitFor([&] { return Windows(titlePattern).isEmpty(); }, std::chrono::seconds(30));
}

void WineDesktop::Focus(const QString& window) const
{
    screen.Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    screen.Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    QThread::msleep(200);
}

void WineDesktop::Click(const QString& window, int x, int y) const
{
    Focus(window);
    screen.Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                    QString::number(x), QString::number(y), QStringLiteral("click"),
                    QStringLiteral("1")});
    QThread::msleep(300);
}

void WineDesktop::Key(const QString& window, const QString& key) const
{
    Focus(window);
    screen.Xdotool({QStringLiteral("key"), key});
    QThread::msleep(300);
}

void WineDesktop::Type(const QString& window, const QString& asciiText) const
{
    Focus(window);
    screen.Xdotool(
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("80"), asciiText});
    QThread::msleep(300);
}

void WineDesktop::Paste(const QString& window, const QString& text) const
{
    Focus(window);
    screen.Paste(text);
    QThread::msleep(300);
}

bool WineDesktop::Screenshot(const QString& path) const
{
    QProcess import;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), screen.Display());
    import.setProcessEnvironment(environment);
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-window"), QStringLiteral("root"), path});
    return import.waitForFinished(30000) && import.exitCode() == 0;
}
