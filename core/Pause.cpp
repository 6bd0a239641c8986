#include "Pause.h"

#include <QThread>

namespace {

PauseHandler& CurrentHandler()
{
    static PauseHandler handler;
    return handler;
}

} // namespace

void Pause(int milliseconds)
{
    const PauseHandler& handler = CurrentHandler();
    if (handler)
        handler(milliseconds);
    else
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void SetPauseHandler(PauseHandler handler)
{
    CurrentHandler() = std::move(handler);
}
