#pragma once

#include <functional>

namespace platform {

// The end of the logon session as the program meets it, delivered on the user-interface thread.
struct SessionEndHandlers
{
    // The session is about to end: the program prepares to end and answers whether it may.
    std::function<bool()> query;
    // The session ends (true), or another program cancelled its end (false).
    std::function<void(bool ends)> end;
};

// Starts watching for the end of the session; called once, in the running copy, after the
// application object exists. Where the system has no separate answer, an allowed query is
// followed by end(true) at once.
void WatchSessionEnd(SessionEndHandlers handlers);

// Blocks the user-interface thread for the given time, as the program's fixed waits do. An end of
// the session that arrives meanwhile is handled at once, inside the wait, not after it, so that
// the program does not outlive the session by the rest of a long wait.
void SleepWatchingSessionEnd(int milliseconds);

} // namespace platform
