#include "core/program/Pause.h"

#include "platform/SessionEnd.h"

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
        platform::SleepWatchingSessionEnd(milliseconds);
}

void SetPauseHandler(PauseHandler handler)
{
    CurrentHandler() = std::move(handler);
}
