#include "app/WebAddressOpener.h"

#include <QDesktopServices>

namespace {

std::function<void(const QUrl&)>& CurrentHandler()
{
    static std::function<void(const QUrl&)> handler;
    return handler;
}

} // namespace

void OpenWebAddress(const QUrl& address)
{
    if (CurrentHandler())
        CurrentHandler()(address);
    else
        QDesktopServices::openUrl(address);
}

void SetWebAddressHandler(std::function<void(const QUrl&)> handler)
{
    CurrentHandler() = std::move(handler);
}
