#pragma once

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <utility>

// Opens a data-entry window through its reference: created from the arguments when the
// reference is empty, then centred on the screen and shown without being modal. An existing window
// is not recreated; a hidden one is centred and runs its show handling again, a visible one only
// comes to the front where the user left it.
template <class Window, class... Arguments>
void ShowDataWindow(QPointer<Window>& reference, Arguments&&... arguments)
{
    if (reference.isNull())
        reference = new Window(std::forward<Arguments>(arguments)...);
    Window& window = *reference;
    if (!window.isVisible()) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        window.move(screen.x() + (screen.width() - window.width()) / 2,
                    screen.y() + (screen.height() - window.height()) / 2);
    }
    window.show();
    window.raise();
    window.activateWindow();
}
