#include "registration/Registration.h"

#include "core/management/EditionDetection.h"
#include "core/management/ManagementServices.h"
#include "core/program/MessageBox.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "core/program/Trimmed.h"
#include "core/requests/ServerErrorPage.h"
#include "core/requests/SplitFields.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "registration/BasicInfoBodies.h"
#include "registration/BasicInfoWindow.h"
#include "registration/IdentityAnswer.h"
#include "registration/IdentityCheck.h"
#include "registration/PostalRow.h"
#include "registration/StorableText.h"
#include "registration/WarningMessage.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// The re-check after a stored registration is awaited at most this long; without its answer
// the fields are stored as they are.
constexpr int RecheckWaitMs = 30000;

QString SettingsFile()
{
    return ProgramFolder + SettingsKeys::FileName;
}

void Store(const QString& key, const QString& value)
{
    WriteIniString(SettingsFile(), SettingsKeys::BasicInfo, key, Trimmed(value));
}

} // namespace

Registration::Registration(QWidget& window, const BasicInfoFields& fields, IdentityCheck& identity,
                           Pharmacy& pharmacy)
    : QObject(&window), window_(window), fields_(fields), identity_(identity), pharmacy_(pharmacy),
      request_(new WebBrowser(QStringLiteral("registration"), this)),
      recheck_(new WebBrowser(QStringLiteral("recheck"), this))
{
    connect(request_, &WebBrowser::DocumentComplete, this,
            [this](const QString& url) { AnswerArrived(url, PageText(*request_)); });
    connect(recheck_, &WebBrowser::DocumentComplete, this,
            [this](const QString& url) { RecheckAnswerArrived(url, PageText(*recheck_)); });
}

void Registration::Submit()
{
    if (identity_.IsConfirmed()) {
        Send();
    } else if (fields_.checkComputer->isChecked()) {
        ShowWarning(
            QStringLiteral("본인인증 절차를 진행하지 않았습니다.\r\n기본정보를 저장하실때는 "
                           "본인인증을 꼭 하셔야 합니다!"));
        fields_.license->setFocus();
    } else if (ShowMessage(
                   {.text = QStringLiteral("초록우체통 인증용 컴퓨터 사용을 해제 하시겠습니까?"),
                    .caption = QStringLiteral("확인요망"),
                    .icon = MessageIcon::Question,
                    .buttons = MessageButtons::YesNo}) == MessageAnswer::Yes) {
        Send();
    }
}

// The address parts come from the local postal table, for the postal code in the fields.
void Registration::Send()
{
    const BasicInfoFields& f = fields_;
    if (!AllStorable({f.pharmacistName, f.license, f.pharmacyName, f.postalCode1, f.postalCode2,
                      f.detailAddress, f.pharmacyPhone, f.mobilePhone, f.faxNumber, f.location,
                      f.birthNumber}))
        return;
    const QString computerName = f.checkComputer->isChecked() ? LocalComputerName() : QString();
    const PostalRow row =
        LookUpPostalRow(Trimmed(f.postalCode1->text()), Trimmed(f.postalCode2->text()));
    PostPage(*request_, RegistrationPage,
             RegistrationBody({.name = f.pharmacistName->text(),
                               .license = f.license->text(),
                               .pharmacy = f.pharmacyName->text(),
                               .zip1 = f.postalCode1->text(),
                               .zip2 = f.postalCode2->text(),
                               .province = row.province,
                               .district = row.district,
                               .town = row.dong + row.ri,
                               .detailAddress = f.detailAddress->text(),
                               .phone = f.pharmacyPhone->text(),
                               .mobile = f.mobilePhone->text(),
                               .fax = f.faxNumber->text(),
                               .location = f.location->text(),
                               .computerName = computerName,
                               .birthNumber = f.birthNumber->text()}));
}

// The first-sign-in mark is read afresh: the main window writes it once its sign-in's window has
// closed.
void Registration::RegisterAtFirstSignIn()
{
    pharmacy_.autoCheck = ReadIniString(SettingsFile(), SettingsKeys::BasicInfo,
                                        SettingsKeys::AutoCheckKey, pharmacy_.autoCheck);
    if (pharmacy_.autoCheck == QStringLiteral("Y"))
        return;
    // WORKAROUND: with both conditions the registration is posted twice in a row, as it always
    // was. The bodies are alike and the second navigation abandons the first, so the service
    // stores the same record and one answer is handled.
    if (Trimmed(FieldAt(identity_.LastAnswer(), IdentityAnswer::CheckComputer)).isEmpty())
        RegisterThisComputer();
    if (!DetectedEdition.isEmpty()) {
        RegisterThisComputer();
        CloseOnPaint = true;
    }
}

// The main window's presence reports name this computer and licence from now on.
void Registration::RegisterThisComputer()
{
    pharmacy_.checkComputer = LocalComputerName();
    pharmacy_.license = fields_.license->text();
    fields_.checkComputer->setChecked(true);
    Submit();
}

// "Y": the registration is stored; the settings follow it, the main window signs in again with
// them, and the weekly hours come next. Any other text leaves everything as it was.
void Registration::AnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty() || IsServerErrorPage(text) || url != BaseUrl + RegistrationPage)
        return;
    if (text != QStringLiteral("Y")) {
        ShowWarning(QStringLiteral("기본환경설정 값이 서버로 전송되지 않았습니다. \r\n "
                                   "입력완료 버튼을 다시 눌러 주시기 바랍니다."));
        return;
    }
    WriteStoredValues();
    identity_.SendThrough(*recheck_);
    WaitForRecheck();
    WriteRecheckedValues();
    ShowMessage({.text = QStringLiteral("기본환경설정이 저장되었습니다"),
                 .caption = QStringLiteral("확인"),
                 .icon = MessageIcon::None,
                 .buttons = MessageButtons::Ok});
    if (fields_.checkComputer->isChecked())
        emit CheckComputerRegistered();
    identity_.SetConfirmed(false);
    emit SignInRequested();
    window_.close();
    emit WeeklyHoursRequested();
}

void Registration::WriteStoredValues()
{
    Store(SettingsKeys::PharmacistName, fields_.pharmacistName->text());
    Store(SettingsKeys::PharmacistLicense, fields_.license->text());
    Store(SettingsKeys::PharmacyName, fields_.pharmacyName->text());
    Store(SettingsKeys::PostalCode1, fields_.postalCode1->text());
    Store(SettingsKeys::PostalCode2, fields_.postalCode2->text());
    Store(SettingsKeys::BirthNumber, fields_.birthNumber->text());
}

// Other events run while the re-check is awaited; its answer handler ends the wait.
void Registration::WaitForRecheck()
{
    QEventLoop wait;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &wait, &QEventLoop::quit);
    connect(this, &Registration::RecheckDone, &wait, &QEventLoop::quit);
    bound.start(RecheckWaitMs);
    wait.exec();
}

// WORKAROUND: "주소1" and "주소2" take the two postal-code parts here, while the first import
// stores the province and district under them, as the settings file has always held them;
// nothing in the program reads them back.
void Registration::WriteRecheckedValues()
{
    Store(SettingsKeys::Address1, fields_.postalCode1->text());
    Store(SettingsKeys::Address2, fields_.postalCode2->text());
    Store(SettingsKeys::Address3, fields_.addressLine->text());
    Store(SettingsKeys::Address4, fields_.detailAddress->text());
    Store(SettingsKeys::PharmacyPhone, fields_.pharmacyPhone->text());
    Store(SettingsKeys::MobilePhone, fields_.mobilePhone->text());
    Store(SettingsKeys::FaxNumber, fields_.faxNumber->text());
    Store(SettingsKeys::Location, fields_.location->text());
    Store(SettingsKeys::CheckComputer,
          fields_.checkComputer->isChecked() ? LocalComputerName() : QString());
}

// The service's record replaces the postal code, address line and detail address. An error
// page or an answer without those positions leaves them as they are, so that a failed re-check
// never empties what is about to be stored.
void Registration::RecheckAnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    const QStringList answer = IdentityAnswer::Fields(text);
    if (!IsServerErrorPage(text) && answer.size() > IdentityAnswer::DetailAddress) {
        fields_.postalCode1->setText(answer.at(IdentityAnswer::PostalCode));
        fields_.addressLine->setText(answer.at(IdentityAnswer::AddressLine));
        fields_.detailAddress->setText(answer.at(IdentityAnswer::DetailAddress));
    }
    emit RecheckDone();
}
