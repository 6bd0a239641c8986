#include "BasicInfoWindow.h"
#include "ModalDialog.h"
#include "Quillane_Define.h"
#include "Quillane_Main.h"
#include "Quillane_info.h"
#include "ServerErrorPage.h"

#include <QApplication>
#include <QDateTime>

namespace {

// The tray pictures, which show the state last reported.
constexpr int PictureOff = 0;
constexpr int PictureWaiting = 1;
constexpr int PictureOn = 2;

// Every 30 minutes of ticks a periodic report is due; 30 minutes without input is idle.
constexpr int PeriodicReportTicks = 1800;
constexpr std::uint32_t IdleLimitSeconds = 1800;

bool AnyKibonExists()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](QWidget* window) { return qobject_cast<BasicInfoWindow*>(window); });
}

} // namespace

void Tfrm_Quillane_Main::WebBrowser1DocumentComplete(const QString& url)
{
    SignInAnswerArrived(url, PageText(WebBrowser1));
}

// Any failure ends the handling where it happens; the steps not yet run are skipped.
void Tfrm_Quillane_Main::SignInAnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    try {
        HandleSignInAnswer(url, text);
    } catch (...) {
    }
}

void Tfrm_Quillane_Main::HandleSignInAnswer(const QString& url, const QString& text)
{
    SignInAnswer = text;
    // An error page, or the sign-in page itself instead of the page it forwards to.
    if (IsServerErrorPage(SignInAnswer) || url == BaseUrl + QStringLiteral("ComCheck2.asp")) {
        SignInAnswer.clear();
        SetPresencePicture(PictureWaiting);
        return;
    }
    if (SignInAnswer == QStringLiteral("Y")) {
        SetPresencePicture(PictureOn);
        if (Trimmed(ComName).isEmpty()) {
            SetPresencePicture(PictureWaiting);
            return;
        }
        SendPresence(QStringLiteral("on"));
        CheckUpcomingHoliday();
        if (!tmRoutine.isActive())
            tmRoutine.start();
    } else if (SignInAnswer == QStringLiteral("Z")) {
        const QPointer<Tfrm_info> info = new Tfrm_info;
        ShowModal(*info);
        delete info;
        SetPresencePicture(PictureWaiting);
        if (!AnyKibonExists())
            ShowModalKibon();
    } else {
        SetPresencePicture(PictureOff);
    }
}

void Tfrm_Quillane_Main::CheckUpcomingHoliday()
{
    HolidayCheck.Run(ADOQuery2.get(), QDateTime::currentDateTime());
}

void Tfrm_Quillane_Main::tmRoutineTimer()
{
    ++RoutineTicks;
    if (SignInAnswer != QStringLiteral("Y"))
        return;
    if (Trimmed(ComName).isEmpty()) {
        SetPresencePicture(PictureWaiting);
        return;
    }
    const std::uint32_t idle = IdleSeconds();
    if (RoutineTicks >= PeriodicReportTicks) {
        PeriodicReport(idle);
        RoutineTicks = 0;
    } else if (idle == 0 && PresencePicture() != PictureOn) {
        SendPresence(QStringLiteral("on"));
        SetPresencePicture(PictureOn);
        RoutineTicks = 0;
    }
}

// On while input came within the limit; otherwise one step down per report, on to waiting to
// off. Once off, a still idle user gets no further report: the service has "off" already.
void Tfrm_Quillane_Main::PeriodicReport(std::uint32_t idle)
{
    if (idle < IdleLimitSeconds) {
        SendPresence(QStringLiteral("on"));
        SetPresencePicture(PictureOn);
    } else if (PresencePicture() == PictureOn) {
        SendPresence(QStringLiteral("wai"));
        SetPresencePicture(PictureWaiting);
    } else if (PresencePicture() == PictureWaiting) {
        SendPresence(QStringLiteral("off"));
        SetPresencePicture(PictureOff);
    }
}
