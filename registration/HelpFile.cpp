#include "registration/HelpFile.h"

#include "core/program/ProgramValues.h"
#include "platform/DocumentOpener.h"

namespace {

std::function<void(const QString&)>& CurrentHandler()
{
    static std::function<void(const QString&)> handler;
    return handler;
}

} // namespace

void OpenHelpFile()
{
    const QString path = ProgramFolder + QStringLiteral("Help.mht");
    if (CurrentHandler())
        CurrentHandler()(path);
    else
        platform::OpenDocument(path.toStdString());
}

void SetHelpFileHandler(std::function<void(const QString&)> handler)
{
    CurrentHandler() = std::move(handler);
}
