#include "SessionEnd.h"

#include "SingleInstanceWindow.h"

namespace platform {

// WM_QUERYENDSESSION and WM_ENDSESSION reach the hidden native window, which calls these.
void WatchSessionEnd(SessionEndHandlers handlers)
{
    WindowHandlers().session = std::move(handlers);
}

} // namespace platform
