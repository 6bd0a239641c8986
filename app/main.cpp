#include "app/MainWindow.h"
#include "app/ProgramFonts.h"
#include "app/QtKoreanTexts.h"
#include "app/SecondStart.h"
#include "core/program/IdleWatch.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProcessEnd.h"
#include "core/program/ProgramValues.h"
#include "platform/IdleTime.h"
#include "platform/SessionEnd.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QPointer>

namespace {

// A later start hands its command to the running copy and ends at once.
int RunSecondStart(platform::SingleInstance& instance, const QStringList& arguments)
{
    if (const std::optional<platform::InstanceCommand> command = SecondStartCommand(arguments))
        instance.SendToFirst(*command);
    return 0;
}

// The end of the session goes to the main window. It is watched before the window exists, so that
// an ending signal meanwhile does not end the process unreported: it waits for the first event
// loop, when the window is there.
void WatchSessionEndOf(const QPointer<MainWindow>& mainWindow)
{
    platform::WatchSessionEnd({
        .query = [&mainWindow] { return !mainWindow || mainWindow->SessionEndQuery(); },
        .end =
            [&mainWindow](bool ends) {
                if (mainWindow)
                    mainWindow->SessionEnd(ends);
                else if (ends)
                    EndProcess();
            },
    });
}

// Requests from later starts go to the main window while it lives.
void ConnectLaterStarts(platform::SingleInstance& instance, const QPointer<MainWindow>& mainWindow)
{
    instance.SetRequestHandler([mainWindow](platform::InstanceRequest request) {
        if (mainWindow)
            mainWindow->InstanceRequestReceived(request);
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QPointer<MainWindow> mainWindow;
    WatchSessionEndOf(mainWindow);
    const std::unique_ptr<platform::SingleInstance> instance = platform::CreateSingleInstance();
    if (!instance->BecomeFirst())
        return RunSecondStart(*instance, QApplication::arguments());

    QApplication::setQuitOnLastWindowClosed(false);
    InitProgramValues(QCoreApplication::applicationDirPath());
    UseKoreanQtTexts(ProgramFolder);
    LoadProgramFonts(ProgramFolder);
    Pharmacy pharmacy;
    mainWindow = new MainWindow(pharmacy);
    ConnectLaterStarts(*instance, mainWindow);
    const std::unique_ptr<platform::IdleSource> idleSource = platform::CreateSystemIdleSource();
    IdleWatch idleWatch(*idleSource);
    mainWindow->SetIdleSeconds([&idleWatch] { return idleWatch.IdleSecondsOrActive(); });
    mainWindow->Startup();
    const int result = QApplication::exec();
    delete mainWindow;
    return result;
}
