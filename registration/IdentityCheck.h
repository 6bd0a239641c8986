#pragma once

#include "registration/BasicInfoFields.h"

#include <QObject>
#include <QStringList>

class QLineEdit;
class WebBrowser;

// A licence number of exactly four characters gains a leading "0", in its field: licence numbers
// have five digits.
void PadFourDigitLicense(QLineEdit& license);

// The identity check with the service: whether the licence number, name and birth number in the
// basic-information fields belong to the owning pharmacist of a registered pharmacy. A confirmed
// answer fills the fields with the pharmacy's record as the service holds it.
class IdentityCheck : public QObject
{
    Q_OBJECT

public:
    IdentityCheck(const BasicInfoFields& fields, QObject* parent);

    // Sends the check through its own request (object name "identityCheck") once the three
    // fields hold storable text. A four-character licence number gains a leading "0" first, in
    // its field.
    void Send();
    // The same check through another request: the re-check after a registration, whose fields
    // were tested before the registration was sent.
    void SendThrough(WebBrowser& request);

    // Whether the pharmacist's identity counts as confirmed: by a confirmed answer, or by recent
    // activity in the management system (the import). Submitting registers at once when it is.
    bool IsConfirmed() const { return confirmed_; }
    void SetConfirmed(bool confirmed) { confirmed_ = confirmed; }

    // The fields of the last answer, cut at "]"; a position that did not arrive reads as empty.
    const QStringList& LastAnswer() const { return lastAnswer_; }

    // The answer page: "1" fills the fields and confirms the identity, "3" and "9" refuse it and
    // empty the identity fields, anything else is ignored. An empty address is no answer.
    void AnswerArrived(const QString& url, const QString& text);

signals:
    // A confirmed answer has filled the fields.
    void Confirmed();

private:
    BasicInfoFields fields_;
    WebBrowser* request_;
    bool confirmed_ = false;
    QStringList lastAnswer_;
};
