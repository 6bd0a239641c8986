#include "app/TrayIcon.h"

#include "app/TrayAvailability.h"
#include "app/TrayMenu.h"
#include "core/program/ProgramValues.h"

#include <QCursor>

namespace {

// Looking for a tray host now and then is cheap.
constexpr int DockWatchIntervalMs = 5000;

std::array<QIcon, TrayPictureCount> PresencePictures()
{
    std::array<QIcon, TrayPictureCount> pictures;
    for (int index = 0; index < TrayPictureCount; ++index)
        pictures[index] = QIcon(QPixmap::fromImage(TrayPicture(index)));
    return pictures;
}

} // namespace

TrayIcon::TrayIcon(QWidget* window)
    : QSystemTrayIcon(window), pictures_(PresencePictures()), menu_(new TrayMenu(window))
{
    setToolTip(ApplicationTitle);
    setContextMenu(menu_);
    ShowPresence(Presence::Off);
    connect(this, &QSystemTrayIcon::activated, this, &TrayIcon::Activated);
    dockWatch_.setInterval(DockWatchIntervalMs);
    connect(&dockWatch_, &QTimer::timeout, this, &TrayIcon::DockWhenTrayAppears);
    if (!TrayAvailable())
        dockWatch_.start();
    show();
}

void TrayIcon::ShowPresence(Presence state)
{
    setIcon(pictures_[static_cast<std::size_t>(state)]);
}

void TrayIcon::PopUpMenu()
{
    menu_->popup(QCursor::pos());
}

// The context menu is the tray's own.
void TrayIcon::Activated(ActivationReason reason)
{
    if (reason == DoubleClick)
        emit MainScreenRequested();
}

// Showing the icon again once a tray exists docks it there.
void TrayIcon::DockWhenTrayAppears()
{
    if (!TrayAvailable())
        return;
    dockWatch_.stop();
    hide();
    show();
}
