#include "app/SignIn.h"

#include "app/PresenceReporter.h"
#include "app/UnregisteredComputerNotice.h"
#include "core/management/ManagementServices.h"
#include "core/program/ModalDialog.h"
#include "core/program/Quillane_Define.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/ServerErrorPage.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "registration/BasicInfoWindow.h"

#include <QApplication>
#include <QDateTime>

namespace {

const QString SignInPage = QStringLiteral("ComCheck2.asp");
// The answers that are acted on; any other text refuses the sign-in.
const QString AcceptedAnswer = QStringLiteral("Y");
const QString UnknownComputerAnswer = QStringLiteral("Z");

bool AnyBasicInfoWindowExists()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](QWidget* window) { return qobject_cast<BasicInfoWindow*>(window); });
}

} // namespace

SignIn::SignIn(PresenceReporter& presence, QObject* parent) : QObject(parent), presence_(presence)
{
    connect(&request_, &WebBrowser::DocumentComplete, this,
            [this](const QString& url) { AnswerArrived(url, PageText(request_)); });
}

void SignIn::Send()
{
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    PaName = ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistName, {});
    PaLicense =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense, {});
    ComName = ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::CheckComputer, {});
    if (ComName.isEmpty())
        ComName = LocalComputerName();
    AutoCheck =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::AutoCheckKey, AutoCheck);
    const QString signInName = PaName;

    // The registration in a basic-information window opened here signs in again before the
    // window closes: that inner sign-in posts what was just stored and opens no second window.
    if (AutoCheck != QStringLiteral("Y") && !basicInfoOpenedHere_) {
        ShowBasicInfoModally();
        WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::FirstSignIn,
                       QStringLiteral("Y"));
        WriteIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::AutoCheckKey,
                       QStringLiteral("Y"));
    }

    // WORKAROUND: the name goes out as read before the window opened, the licence and the computer
    // as they are now, as the program has always sent them. Only a registration in the window
    // changes the name meanwhile, and it has signed in with the new name already.
    PostPage(request_, SignInPage,
             QStringLiteral("P_PANAME       =") + FormValue(Trimmed(signInName)) +
                 QStringLiteral("&P_PALICENSE  =") + FormValue(Trimmed(PaLicense)) +
                 QStringLiteral("&P_COMNAME    =") + FormValue(Trimmed(ComName)));
}

void SignIn::AnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    try {
        HandleAnswer(url, text);
    } catch (...) {
    }
}

void SignIn::HandleAnswer(const QString& url, const QString& text)
{
    SignInAnswer = text;
    // An error page, or the sign-in page itself instead of the page it forwards to.
    if (IsServerErrorPage(SignInAnswer) || url == BaseUrl + SignInPage) {
        SignInAnswer.clear();
        presence_.SetState(Presence::Waiting);
        return;
    }
    if (SignInAnswer == AcceptedAnswer)
        Accepted();
    else if (SignInAnswer == UnknownComputerAnswer)
        UnknownComputer();
    else
        presence_.SetState(Presence::Off);
}

// Only a check computer reports its presence; the holiday reminder may hold the start of the
// reports until the user has answered it.
void SignIn::Accepted()
{
    if (Trimmed(ComName).isEmpty()) {
        presence_.SetState(Presence::Waiting);
        return;
    }
    presence_.SetState(Presence::On);
    presence_.Report(Presence::On);
    holidayCheck_.Run(holidayQuery_, QDateTime::currentDateTime());
    presence_.Start();
}

void SignIn::UnknownComputer()
{
    const QPointer<UnregisteredComputerNotice> notice = new UnregisteredComputerNotice;
    ShowModal(*notice);
    delete notice;
    presence_.SetState(Presence::Waiting);
    if (!AnyBasicInfoWindowExists())
        ShowBasicInfoModally();
}

void SignIn::ShowBasicInfoModally()
{
    const QPointer<BasicInfoWindow> window = new BasicInfoWindow;
    basicInfoOpenedHere_ = window;
    ShowModal(*window);
    if (window)
        window->FinishRequests();
    delete window;
}
