#include "app/SignIn.h"

#include "app/DataWindows.h"
#include "app/PresenceReporter.h"
#include "app/UnregisteredComputerNotice.h"
#include "core/management/ManagementServices.h"
#include "core/program/ModalDialog.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "core/program/Trimmed.h"
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

SignIn::SignIn(Pharmacy& pharmacy, PresenceReporter& presence, DataWindows& windows,
               QObject* parent)
    : QObject(parent), pharmacy_(pharmacy), presence_(presence), windows_(windows),
      holidayCheck_([&windows] { windows.ShowFestivalHoursModally(); })
{
    connect(&request_, &WebBrowser::DocumentComplete, this,
            [this](const QString& url) { AnswerArrived(url, PageText(request_)); });
}

void SignIn::Send()
{
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    pharmacy_.pharmacistName =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistName, {});
    pharmacy_.license =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense, {});
    pharmacy_.checkComputer =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::CheckComputer, {});
    if (pharmacy_.checkComputer.isEmpty())
        pharmacy_.checkComputer = LocalComputerName();
    pharmacy_.autoCheck = ReadIniString(settings, SettingsKeys::BasicInfo,
                                        SettingsKeys::AutoCheckKey, pharmacy_.autoCheck);
    const QString signInName = pharmacy_.pharmacistName;

    // The registration in a basic-information window opened here signs in again before the
    // window closes: that inner sign-in posts what was just stored and opens no second window.
    if (pharmacy_.autoCheck != QStringLiteral("Y") && !basicInfoOpenedHere_) {
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
                 QStringLiteral("&P_PALICENSE  =") + FormValue(Trimmed(pharmacy_.license)) +
                 QStringLiteral("&P_COMNAME    =") + FormValue(Trimmed(pharmacy_.checkComputer)));
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
    // An error page, or the sign-in page itself instead of the page it forwards to.
    const bool usable = !IsServerErrorPage(text) && url != BaseUrl + SignInPage;
    answer_ = usable ? text : QString();
    presence_.SetSignInAccepted(answer_ == AcceptedAnswer);
    if (!usable) {
        presence_.SetState(Presence::Waiting);
        return;
    }
    if (answer_ == AcceptedAnswer)
        Accepted();
    else if (answer_ == UnknownComputerAnswer)
        UnknownComputer();
    else
        presence_.SetState(Presence::Off);
}

// Only a check computer reports its presence; the holiday reminder may hold the start of the
// reports until the user has answered it.
void SignIn::Accepted()
{
    if (Trimmed(pharmacy_.checkComputer).isEmpty()) {
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
    const QPointer<BasicInfoWindow> window = windows_.NewBasicInfoWindow();
    basicInfoOpenedHere_ = window;
    ShowModal(*window);
    if (window)
        window->FinishRequests();
    delete window;
}
