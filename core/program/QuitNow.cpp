#include "core/program/QuitNow.h"

#include "core/program/ProcessEnd.h"

#include <QCoreApplication>

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
    EndProcess();
}

void SetQuitNowHandler(QuitNowHandler handler)
{
    CurrentHandler() = std::move(handler);
}
