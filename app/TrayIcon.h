#pragma once

#include "app/Presence.h"
#include "resources/TrayPictures.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>
#include <array>

class TrayMenu;

// The tray icon: the picture of the presence state, the menu, and the double click that asks
// for the main screen (a single click does nothing). It is shown from the start; a tray host that
// starts after the program, as often at log-in, is docked into when it appears.
class TrayIcon : public QSystemTrayIcon
{
    Q_OBJECT

public:
    // The menu is a child of the window.
    explicit TrayIcon(QWidget* window);

    TrayMenu* Menu() const { return menu_; }

    void ShowPresence(Presence state);

    // The menu at the mouse pointer.
    void PopUpMenu();

signals:
    void MainScreenRequested();

private:
    void Activated(ActivationReason reason);
    void DockWhenTrayAppears();

    const std::array<QIcon, TrayPictureCount> pictures_;
    TrayMenu* menu_;
    QTimer dockWatch_{this};
};
