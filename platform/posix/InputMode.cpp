#include "platform/InputMode.h"

namespace platform {

// The input-method frameworks of Linux desktops keep the mode per user, not per window.
bool SelectNativeInputMode(std::uintptr_t)
{
    return false;
}

} // namespace platform
