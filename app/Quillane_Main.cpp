#include "Quillane_Main.h"

#include "FormEncoding.h"
#include "LocalDatabase.h"
#include "MainWindowCallbacks.h"
#include "Pause.h"
#include "ProcessEnd.h"
#include "Quillane_Define.h"

#include <QCloseEvent>
#include <QDateTime>

namespace {

constexpr int RoutineIntervalMs = 1000;
// The waits after the "off" reports, which give them time to leave.
constexpr int CloseQueryPauseMs = 500;
constexpr int ClosePauseMs = 1000;

} // namespace

Tfrm_Quillane_Main::Tfrm_Quillane_Main(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Quillane"));
    setWindowFlag(Qt::FramelessWindowHint);
    tmRoutine.setInterval(RoutineIntervalMs);
    connect(&tmRoutine, &QTimer::timeout, this, &Tfrm_Quillane_Main::tmRoutineTimer);
    connect(&WebBrowser1, &WebBrowser::DocumentComplete, this,
            &Tfrm_Quillane_Main::WebBrowser1DocumentComplete);
    IdleSeconds = [] { return std::uint32_t{0}; };
    MainWindowOfBasicInfo = {.signIn = [this] { SignIn(); },
                             .setTrayPicture = [this](int index) { SetPresencePicture(index); }};
}

Tfrm_Quillane_Main::~Tfrm_Quillane_Main()
{
    MainWindowOfBasicInfo = {};
}

void Tfrm_Quillane_Main::SendPresence(const QString& flag)
{
    const QString body =
        QStringLiteral("P_COMNAME =") + FormValue(Trimmed(ComName)) +
        QStringLiteral("&P_PALICENSE =") + FormValue(Trimmed(PaLicense)) +
        QStringLiteral("&P_SENDTIME =") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
        QStringLiteral("&P_Flg = ") + flag;
    PostPage(WebBrowser2, QStringLiteral("TimeCheck.asp"), body);
}

void Tfrm_Quillane_Main::InstanceRequestReceived(platform::InstanceRequest request)
{
    switch (request) {
    case platform::InstanceRequest::ShowMainScreen:
    case platform::InstanceRequest::TrayDoubleClick:
        ShowMainScreen();
        break;
    case platform::InstanceRequest::TrayMenu:
        PopupTrayMenu();
        break;
    case platform::InstanceRequest::User:
        break;
    }
}

bool Tfrm_Quillane_Main::SessionEndQuery()
{
    CloseAllowed = true;
    return FormCloseQuery();
}

void Tfrm_Quillane_Main::SessionEnd(bool ends)
{
    CloseAllowed = ends;
    if (ends)
        FormClose();
}

void Tfrm_Quillane_Main::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

bool Tfrm_Quillane_Main::FormCloseQuery()
{
    if (!CloseAllowed)
        return false;
    // Sent even without a check-computer name.
    SendPresence(QStringLiteral("off"));
    Pause(CloseQueryPauseMs);
    return true;
}

// Ends the program. The close may run inside a modal window's loop with its opener's steps still
// waiting below, so the process ends here instead of unwinding into them.
void Tfrm_Quillane_Main::FormClose()
{
    if (!Trimmed(ComName).isEmpty()) {
        SendPresence(QStringLiteral("off"));
        Pause(ClosePauseMs);
    }
    hide();
    tmRoutine.stop();
    EndProcess();
}
