#include "platform/SessionEnd.h"

#include "platform/win32/SingleInstanceWindow.h"

#include <windows.h>

namespace platform {

// WM_QUERYENDSESSION and WM_ENDSESSION reach the hidden native window, which calls these.
void WatchSessionEnd(SessionEndHandlers handlers)
{
    WindowHandlers().session = std::move(handlers);
}

// The system sends the session's end to the windows of this thread; while it waits, the thread
// takes only sent messages, so that the end is handled at once, while posted messages, timer
// ticks and input wait for the message loop as in any fixed wait.
void SleepWatchingSessionEnd(int milliseconds)
{
    const ULONGLONG end =
        GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        if (MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE,
                                        MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
}

} // namespace platform
