// The floor for the start-up and memory benchmarks: a Qt Widgets program that shows a tray icon
// and ends, or with --stay keeps running with the icon shown.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    if (QApplication::arguments().contains(QStringLiteral("--stay")))
        return QApplication::exec();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
