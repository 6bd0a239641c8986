#include "BasicInfoBodies.h"
#include "BasicInfoWindow.h"
#include "DataWindow.h"
#include "EditionDetection.h"
#include "MainWindowCallbacks.h"
#include "ManagementServices.h"
#include "MessageBox.h"
#include "NetworkThread.h"
#include "PostalRow.h"
#include "Quillane_Define.h"
#include "ServerErrorPage.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "SplitFields.h"
#include "quillane_normal.h"

#include <QEventLoop>
#include <QTimer>

namespace {

// The re-check after a stored registration is awaited at most this long; without its answer
// the fields are stored as they are.
constexpr int RecheckWaitMs = 30000;

// The last position of an identity answer that the window reads.
constexpr qsizetype LastAnswerField = 16;

const QString Warning = QStringLiteral("경고");

QString SettingsFile()
{
    return ProgramFolder + SettingsKeys::FileName;
}

void Store(const QString& key, const QString& value)
{
    WriteIniString(SettingsFile(), SettingsKeys::BasicInfo, key, Trimmed(value));
}

QStringList AnswerFields(const QString& text)
{
    QStringList fields;
    SplitFields(CharSetOf(u"]"), CharSet(), text, &fields);
    return fields;
}

} // namespace

void BasicInfoWindow::SendIdentityCheck()
{
    if (AllStorable({Edit_kibon1, Edit_kibon2, EdiT_Jumin}))
        SendIdentityCheck(WebBrowser1);
}

void BasicInfoWindow::SendIdentityCheck(WebBrowser& browser)
{
    if (Edit_kibon2->text().size() == 4)
        Edit_kibon2->setText(QLatin1Char('0') + Trimmed(Edit_kibon2->text()));
    PostPage(browser, QStringLiteral("Permission.asp"),
             IdentityCheckBody(Edit_kibon2->text(), Edit_kibon1->text(), EdiT_Jumin->text()));
}

void BasicInfoWindow::SubmitDecision()
{
    if (IdentityConfirmed) {
        SendRegistration();
    } else if (chk_kibon1->isChecked()) {
        ShowMessage({.text = QStringLiteral("본인인증 절차를 진행하지 않았습니다.\r\n기본정보를 "
                                            "저장하실때는 본인인증을 꼭 하셔야 합니다!"),
                     .caption = Warning,
                     .icon = MessageIcon::Error,
                     .buttons = MessageButtons::Ok});
        Edit_kibon2->setFocus();
    } else if (ShowMessage(
                   {.text = QStringLiteral("초록우체통 인증용 컴퓨터 사용을 해제 하시겠습니까?"),
                    .caption = QStringLiteral("확인요망"),
                    .icon = MessageIcon::Question,
                    .buttons = MessageButtons::YesNo}) == MessageAnswer::Yes) {
        SendRegistration();
    }
}

void BasicInfoWindow::SendRegistration()
{
    if (!AllStorable({Edit_kibon1, Edit_kibon2, Edit_kibon3, Edit_kibon4, Edit_kibon5, Edit_kibon6,
                      Edit_kibon7, Edit_kibon10, Edit_kibon13, Edit_kibon16, EdiT_Jumin}))
        return;
    const QString computerName = chk_kibon1->isChecked() ? LocalComputerName() : QString();
    const PostalRow row =
        LookUpPostalRow(Trimmed(Edit_kibon4->text()), Trimmed(Edit_kibon5->text()));
    PostPage(WebBrowser2, QStringLiteral("INPUT3.asp"),
             RegistrationBody({.name = Edit_kibon1->text(),
                               .license = Edit_kibon2->text(),
                               .pharmacy = Edit_kibon3->text(),
                               .zip1 = Edit_kibon4->text(),
                               .zip2 = Edit_kibon5->text(),
                               .province = row.province,
                               .district = row.district,
                               .town = row.town,
                               .detailAddress = Edit_kibon6->text(),
                               .phone = Edit_kibon7->text(),
                               .mobile = Edit_kibon10->text(),
                               .fax = Edit_kibon13->text(),
                               .location = Edit_kibon16->text(),
                               .computerName = computerName,
                               .birthNumber = EdiT_Jumin->text()}));
}

void BasicInfoWindow::WebBrowser1DocumentComplete(const QString& url)
{
    IdentityAnswerArrived(url, PageText(WebBrowser1));
}

void BasicInfoWindow::WebBrowser2DocumentComplete(const QString& url)
{
    RegistrationAnswerArrived(url, PageText(WebBrowser2));
}

void BasicInfoWindow::WebBrowser3DocumentComplete(const QString& url)
{
    RecheckAnswerArrived(url, PageText(WebBrowser3));
}

// "1" fills the form with the service's record and confirms the identity; "3" and "9" refuse
// it; any other answer is ignored. Positions that did not arrive read as empty.
void BasicInfoWindow::IdentityAnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    TokenList = AnswerFields(text);
    const QString status = FieldAt(TokenList, 0);
    if (status == QStringLiteral("1")) {
        Edit_kibon3->setText(FieldAt(TokenList, 1));
        Edit_kibon4->setText(FieldAt(TokenList, 14));
        lb_kibon1->setText(FieldAt(TokenList, 15));
        Edit_kibon6->setText(FieldAt(TokenList, 16));
        Edit_kibon7->setText(FieldAt(TokenList, 8));
        if (!Trimmed(FieldAt(TokenList, 9)).isEmpty())
            Edit_kibon10->setText(FieldAt(TokenList, 9));
        Edit_kibon13->setText(FieldAt(TokenList, 10));
        Edit_kibon16->setText(FieldAt(TokenList, 11));
        if (Trimmed(Edit_kibon10->text()).isEmpty())
            Edit_kibon10->setFocus();
        else
            chk_kibon1->setFocus();
        chk_kibon1->setChecked(true);
        EdiT_Jumin->setText(FieldAt(TokenList, 13));
        IdentityConfirmed = true;
        AutoCheck = ReadIniString(SettingsFile(), SettingsKeys::BasicInfo,
                                  SettingsKeys::AutoCheckKey, AutoCheck);
        if (AutoCheck != QStringLiteral("Y"))
            RegisterAutomatically();
    } else if (status == QStringLiteral("3") || status == QStringLiteral("9")) {
        ShowMessage(
            {.text = QStringLiteral(
                 "본인 인증에 실패하였습니다. 본인인증은 대표약사님으로만 가능하며 "
                 "관리약사님으로는 인증이 불가합니다. 등록된 면허번호와 이름, 생년월일을 확인하신 "
                 "후 다시 입력해 주시기 바랍니다.그래도 인증에 실패하셨을 경우 관할 약사회 사무국 "
                 "또는 한누리협회 초록우체통 담당자에게 확인 후 다시 입력해 주십시요!"),
             .caption = Warning,
             .icon = MessageIcon::Error,
             .buttons = MessageButtons::Ok});
        IdentityConfirmed = false;
        Edit_kibon1->clear();
        Edit_kibon2->clear();
        EdiT_Jumin->clear();
        Edit_kibon1->setFocus();
    }
}

// At the first sign-in a confirmed identity registers on its own: when the service holds no
// check computer for the pharmacy, and again when a management system is installed. The second
// registration's navigation abandons the first, so one answer arrives.
void BasicInfoWindow::RegisterAutomatically()
{
    const auto registerThisComputer = [this] {
        ComName = LocalComputerName();
        PaLicense = Edit_kibon2->text();
        chk_kibon1->setChecked(true);
        SubmitDecision();
    };
    if (Trimmed(FieldAt(TokenList, 12)).isEmpty())
        registerThisComputer();
    if (!DetectedEdition.isEmpty()) {
        registerThisComputer();
        CloseOnPaint = true;
    }
}

// "Y": the registration is stored; the settings follow it, the main window signs in again with
// them, and the weekly hours come next.
void BasicInfoWindow::RegistrationAnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty() || IsServerErrorPage(text) || url != BaseUrl + QStringLiteral("INPUT3.asp"))
        return;
    if (text != QStringLiteral("Y")) {
        ShowMessage({.text = QStringLiteral("기본환경설정 값이 서버로 전송되지 않았습니다. \r\n "
                                            "입력완료 버튼을 다시 눌러 주시기 바랍니다."),
                     .caption = Warning,
                     .icon = MessageIcon::Error,
                     .buttons = MessageButtons::Ok});
        return;
    }
    WriteStoredValues();
    SendIdentityCheck(WebBrowser3);
    WaitForRecheck();
    WriteRecheckedValues();
    ShowMessage({.text = QStringLiteral("기본환경설정이 저장되었습니다"),
                 .caption = QStringLiteral("확인"),
                 .icon = MessageIcon::None,
                 .buttons = MessageButtons::Ok});
    if (chk_kibon1->isChecked() && MainWindowOfBasicInfo.setTrayPicture)
        MainWindowOfBasicInfo.setTrayPicture(0);
    IdentityConfirmed = false;
    if (MainWindowOfBasicInfo.signIn)
        MainWindowOfBasicInfo.signIn();
    close();
    OpenWeeklyHours();
}

void BasicInfoWindow::WriteStoredValues()
{
    Store(SettingsKeys::PharmacistName, Edit_kibon1->text());
    Store(SettingsKeys::PharmacistLicense, Edit_kibon2->text());
    Store(SettingsKeys::PharmacyName, Edit_kibon3->text());
    Store(SettingsKeys::PostalCode1, Edit_kibon4->text());
    Store(SettingsKeys::PostalCode2, Edit_kibon5->text());
    Store(SettingsKeys::BirthNumber, EdiT_Jumin->text());
}

// Other events run while the re-check is awaited; its answer handler ends the wait.
void BasicInfoWindow::WaitForRecheck()
{
    QEventLoop wait;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &wait, &QEventLoop::quit);
    connect(this, &BasicInfoWindow::RecheckDone, &wait, &QEventLoop::quit);
    bound.start(RecheckWaitMs);
    wait.exec();
}

void BasicInfoWindow::FinishRequests()
{
    const auto underWay = [this] {
        return WebBrowser1.ReadyState() == 1 || WebBrowser2.ReadyState() == 1 ||
               WebBrowser3.ReadyState() == 1;
    };
    if (!underWay())
        return;
    QEventLoop wait;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &wait, &QEventLoop::quit);
    // Connected after the window's own handlers, so the loop ends once they have returned. A
    // request ends at its time-out; the bound only keeps a lost completion from holding on.
    for (WebBrowser* browser : {&WebBrowser1, &WebBrowser2, &WebBrowser3})
        connect(browser, &WebBrowser::DocumentComplete, &wait, [&] {
            if (!underWay())
                wait.quit();
        });
    bound.start(RequestTimeout() + std::chrono::seconds(5));
    wait.exec();
}

void BasicInfoWindow::WriteRecheckedValues()
{
    Store(SettingsKeys::Address1, Edit_kibon4->text());
    Store(SettingsKeys::Address2, Edit_kibon5->text());
    Store(SettingsKeys::Address3, lb_kibon1->text());
    Store(SettingsKeys::Address4, Edit_kibon6->text());
    Store(SettingsKeys::PharmacyPhone, Edit_kibon7->text());
    Store(SettingsKeys::MobilePhone, Edit_kibon10->text());
    Store(SettingsKeys::FaxNumber, Edit_kibon13->text());
    Store(SettingsKeys::Location, Edit_kibon16->text());
    Store(SettingsKeys::CheckComputer, chk_kibon1->isChecked() ? LocalComputerName() : QString());
}

// The weekly-hours window comes fresh, in place of any earlier one.
void BasicInfoWindow::OpenWeeklyHours()
{
    if (!frm_normal.isNull())
        frm_normal->deleteLater();
    frm_normal = nullptr;
    ShowDataWindow(frm_normal);
}

// The service's record replaces the postal code, address line and detail address. An error
// page or an answer without those positions leaves them as they are, so that a failed re-check
// never empties what is about to be stored.
void BasicInfoWindow::RecheckAnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    TokenList = AnswerFields(text);
    if (!IsServerErrorPage(text) && TokenList.size() > LastAnswerField) {
        Edit_kibon4->setText(TokenList.at(14));
        lb_kibon1->setText(TokenList.at(15));
        Edit_kibon6->setText(TokenList.at(16));
    }
    emit RecheckDone();
}
