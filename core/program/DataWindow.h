#pragma once

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

// Shows a data-entry window without being modal: a hidden one is centred on the screen and runs
// its show handling again, a visible one only comes to the front where the user left it.
inline void ShowDataWindow(QWidget& window)
{
    if (!window.isVisible()) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        window.move(screen.x() + (screen.width() - window.width()) / 2,
                    screen.y() + (screen.height() - window.height()) / 2);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

// Opens a data-entry window through its reference: created when the reference is empty, then
// shown as above. An existing window is not recreated.
template <class Window> void ShowDataWindow(QPointer<Window>& reference)
{
    if (reference.isNull())
        reference = new Window;
    ShowDataWindow(static_cast<QWidget&>(*reference));
}
