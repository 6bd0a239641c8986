#include "QuitNow.h"

#include <QCoreApplication>
#include <cstdlib>

namespace {

QuitNowHandler& CurrentHandler()
{
    static QuitNowHandler handler;
    return handler;
}

} // namespace

void QuitNow()
{
    const QuitNowHandler& handler = CurrentHandler();
    if (handler) {
        handler();
        return;
    }
    QCoreApplication::processEvents();
    std::_Exit(0);
}

void SetQuitNowHandler(QuitNowHandler handler)
{
    CurrentHandler() = std::move(handler);
}
