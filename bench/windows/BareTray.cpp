// The floor of the Windows start-up and memory benchmark: a Qt Widgets program that shows a tray
// icon and stays. With QUILLANE_BENCH_SHOWN_URL (http://host:port/path) set it then sends one GET
// there, so the benchmark learns when QSystemTrayIcon::show() returned.
#include <QApplication>
#include <QIcon>
#include <QNetworkProxy>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTcpSocket>
#include <QUrl>

namespace {

void SendShown(QTcpSocket& socket, const QUrl& url)
{
    socket.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket, &QTcpSocket::connected, &socket, [&socket, url] {
        socket.write("GET " + url.path().toLatin1() + " HTTP/1.1\r\nHost: " +
                     url.authority().toLatin1() + "\r\nConnection: close\r\n\r\n");
    });
    socket.connectToHost(url.host(), static_cast<quint16>(url.port(80)));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    QTcpSocket socket;
    const QUrl shown(qEnvironmentVariable("QUILLANE_BENCH_SHOWN_URL"));
    if (shown.isValid() && !shown.isEmpty())
        SendShown(socket, shown);
    return QApplication::exec();
}
