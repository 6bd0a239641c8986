#include "app/TrayAvailability.h"

#include <QSystemTrayIcon>

namespace {

std::function<bool()>& CurrentHandler()
{
    static std::function<bool()> handler;
    return handler;
}

} // namespace

bool TrayAvailable()
{
    if (CurrentHandler())
        return CurrentHandler()();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SetTrayAvailabilityHandler(std::function<bool()> handler)
{
    CurrentHandler() = std::move(handler);
}
