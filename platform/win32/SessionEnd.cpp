#include "SessionEnd.h"

#include "SingleInstanceWindow.h"

#include <windows.h>

namespace platform {

// WM_QUERYENDSESSION and WM_ENDSESSION reach the hidden native window, which calls these.
void WatchSessionEnd(SessionEndHandlers handlers)
{
    WindowHandlers().session = std::move(handlers);
}

// The session's end arrives as window messages, which wait for the message loop, as the system
// expects of a program in a fixed wait.
void SleepWatchingSessionEnd(int milliseconds)
{
    ::Sleep(static_cast<DWORD>(milliseconds));
}

} // namespace platform
