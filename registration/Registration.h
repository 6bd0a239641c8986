#pragma once

#include "registration/BasicInfoFields.h"

#include <QObject>

class IdentityCheck;
struct Pharmacy;
class QWidget;
class WebBrowser;

// The registration with the service: the submit button's decision, the request that stores the
// basic information with this computer as the pharmacy's check computer (an empty computer name
// releases it), and what follows an accepted registration: the settings written around a
// re-check of the identity, the main window's sign-in, and the weekly hours.
class Registration : public QObject
{
    Q_OBJECT

public:
    // The window is closed after an accepted registration. Registering this computer on its own
    // makes it the pharmacy's check computer.
    Registration(QWidget& window, const BasicInfoFields& fields, IdentityCheck& identity,
                 Pharmacy& pharmacy);

    // 입력완료: registers when the identity is confirmed; otherwise refuses while the check box
    // is on, or asks whether this computer is to be released from checking.
    void Submit();

    // After a confirmed identity at the first sign-in (the first-sign-in mark not "Y"): registers
    // this computer on its own when the service knows no check computer of the pharmacy, and when a
    // management system is installed.
    void RegisterAtFirstSignIn();

    // The answers of the registration request (object name "registration") and of the re-check
    // (object name "recheck"): the completed address, and the page's text.
    void AnswerArrived(const QString& url, const QString& text);
    void RecheckAnswerArrived(const QString& url, const QString& text);

signals:
    // The re-check's answer has been handled.
    void RecheckDone();
    // A registration of this computer as the check computer was stored: the tray shows "off"
    // until the sign-in that follows is answered.
    void CheckComputerRegistered();
    // A registration was stored: the main window signs in again with the stored values.
    void SignInRequested();
    // A registration was stored and the window closed: the weekly hours come next.
    void WeeklyHoursRequested();

private:
    void Send();
    void RegisterThisComputer();
    void WaitForRecheck();
    void WriteStoredValues();
    void WriteRecheckedValues();

    QWidget& window_;
    BasicInfoFields fields_;
    IdentityCheck& identity_;
    Pharmacy& pharmacy_;
    WebBrowser* request_;
    WebBrowser* recheck_;
};
