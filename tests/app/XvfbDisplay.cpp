#include "tests/app/XvfbDisplay.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr int StartBoundMs = 10000;

} // namespace

XvfbDisplay::XvfbDisplay(int width, int height)
{
    // -displayfd 1: the server takes the first free display and prints its number when ready.
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(width).arg(height),
                   QStringLiteral("-noreset"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_.waitForStarted(StartBoundMs))
        return;
    const QDeadlineTimer deadline(StartBoundMs);
    while (!server_.canReadLine() && !deadline.hasExpired())
        server_.waitForReadyRead(100);
    const QByteArray number = server_.readLine().trimmed();
    if (!number.isEmpty())
        display_ = QStringLiteral(":") + QString::fromLatin1(number);
}

XvfbDisplay::~XvfbDisplay()
{
    server_.terminate();
    server_.waitForFinished();
}

bool XvfbDisplay::ToolsInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty();
}

QString XvfbDisplay::Xdotool(const QStringList& arguments) const
{
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    xdotool.setProcessEnvironment(environment);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    xdotool.waitForFinished();
    return QString::fromUtf8(xdotool.readAllStandardOutput());
}

void XvfbDisplay::Paste(const QString& text) const
{
    // xclip goes on owning the clipboard in the background until another owner takes it or
    // the X server ends.
    QProcess clipboard;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    clipboard.setProcessEnvironment(environment);
    clipboard.start(QStringLiteral("xclip"),
                    {QStringLiteral("-selection"), QStringLiteral("clipboard")});
    clipboard.waitForStarted();
    clipboard.write(text.toUtf8());
    clipboard.closeWriteChannel();
    clipboard.waitForFinished(5000);
    QThread::msleep(300);
    Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+v")});
}

QStringList XvfbDisplay::VisibleWindows(qint64 pid, const QString& titlePattern) const
{
    return Xdotool({QStringLiteral("search"), QStringLiteral("--all"),
                    QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(pid),
                    QStringLiteral("--name"), titlePattern})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool XvfbDisplay::StartTrayHost(QProcess& trayer) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    trayer.setProcessEnvironment(environment);
    trayer.start(QStringLiteral("trayer"),
                 {"--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24"});
    return trayer.waitForStarted();
}

QString XvfbDisplay::DockedIcon(const QString& windowClass) const
{
    const QStringList windows = Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--classname"), windowClass})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        const QString geometry = Xdotool({QStringLiteral("getwindowgeometry"), window});
        if (geometry.contains(QStringLiteral("Geometry: 22x22")) ||
            geometry.contains(QStringLiteral("Geometry: 24x24")))
            return window;
    }
    return {};
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds bound)
{
    const QDeadlineTimer deadline(bound);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}
