#include "registration/IdentityCheck.h"

#include "core/program/Trimmed.h"
#include "core/requests/SplitFields.h"
#include "core/requests/WebBrowser.h"
#include "registration/BasicInfoBodies.h"
#include "registration/IdentityAnswer.h"
#include "registration/StorableText.h"
#include "registration/WarningMessage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

void PadFourDigitLicense(QLineEdit& license)
{
    if (license.text().size() == 4)
        license.setText(QLatin1Char('0') + Trimmed(license.text()));
}

IdentityCheck::IdentityCheck(const BasicInfoFields& fields, QObject* parent)
    : QObject(parent), fields_(fields),
      request_(new WebBrowser(QStringLiteral("identityCheck"), this))
{
    connect(request_, &WebBrowser::DocumentComplete, this,
            [this](const QString& url) { AnswerArrived(url, PageText(*request_)); });
}

void IdentityCheck::Send()
{
    if (AllStorable({fields_.pharmacistName, fields_.license, fields_.birthNumber}))
        SendThrough(*request_);
}

void IdentityCheck::SendThrough(WebBrowser& request)
{
    PadFourDigitLicense(*fields_.license);
    PostPage(request, IdentityCheckPage,
             IdentityCheckBody(fields_.license->text(), fields_.pharmacistName->text(),
                               fields_.birthNumber->text()));
}

// Every page that completes counts as an answer: an error page has no status and is ignored.
// Fields enter as they arrive, untrimmed; the mobile number only when it is not blank.
void IdentityCheck::AnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    lastAnswer_ = IdentityAnswer::Fields(text);
    const auto field = [this](qsizetype position) { return FieldAt(lastAnswer_, position); };
    switch (IdentityAnswer::StatusOf(lastAnswer_)) {
    case IdentityAnswer::Status::Confirmed:
        fields_.pharmacyName->setText(field(IdentityAnswer::PharmacyName));
        fields_.postalCode1->setText(field(IdentityAnswer::PostalCode));
        fields_.addressLine->setText(field(IdentityAnswer::AddressLine));
        fields_.detailAddress->setText(field(IdentityAnswer::DetailAddress));
        fields_.pharmacyPhone->setText(field(IdentityAnswer::PharmacyPhone));
        if (!Trimmed(field(IdentityAnswer::MobilePhone)).isEmpty())
            fields_.mobilePhone->setText(field(IdentityAnswer::MobilePhone));
        fields_.faxNumber->setText(field(IdentityAnswer::FaxNumber));
        fields_.location->setText(field(IdentityAnswer::Location));
        if (Trimmed(fields_.mobilePhone->text()).isEmpty())
            fields_.mobilePhone->setFocus();
        else
            fields_.checkComputer->setFocus();
        fields_.checkComputer->setChecked(true);
        fields_.birthNumber->setText(field(IdentityAnswer::BirthNumber));
        confirmed_ = true;
        emit Confirmed();
        break;
    case IdentityAnswer::Status::Refused:
        ShowWarning(QStringLiteral(
            "본인 인증에 실패하였습니다. 본인인증은 대표약사님으로만 가능하며 관리약사님으로는 "
            "인증이 불가합니다. 등록된 면허번호와 이름, 생년월일을 확인하신 후 다시 입력해 "
            "주시기 바랍니다.그래도 인증에 실패하셨을 경우 관할 약사회 사무국 또는 한누리협회 "
            "초록우체통 담당자에게 확인 후 다시 입력해 주십시요!"));
        confirmed_ = false;
        fields_.pharmacistName->clear();
        fields_.license->clear();
        fields_.birthNumber->clear();
        fields_.pharmacistName->setFocus();
        break;
    case IdentityAnswer::Status::Other:
        break;
    }
}
