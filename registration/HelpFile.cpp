#include "HelpFile.h"

#include "DocumentOpener.h"
#include "ProgramValues.h"

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
