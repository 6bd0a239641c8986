#pragma once

#include "BasicInfoButtons.h"
#include "PictureButton.h"
#include "WebBrowser.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <initializer_list>

// The basic-information window: the pharmacy's basic information, the identity check and the
// registration with the service. Opened modeless and reused from the main window and the tray,
// modal at the first sign-in and when the service does not know this computer.
class BasicInfoWindow : public QDialog
{
    Q_OBJECT

public:
    explicit BasicInfoWindow(QWidget* parent = nullptr);
    ~BasicInfoWindow() override;

    // The background picture with every caption; the text boxes sit on its drawn boxes.
    QLabel* kibon_img1 = new QLabel(this);

    // The fields, in tab order.
    QLineEdit* Edit_kibon1 = new QLineEdit(this);  // owning pharmacist's name
    QLineEdit* Edit_kibon2 = new QLineEdit(this);  // licence number
    QLineEdit* EdiT_Jumin = new QLineEdit(this);   // birth number
    QLineEdit* Edit_kibon3 = new QLineEdit(this);  // pharmacy name
    QLineEdit* Edit_kibon4 = new QLineEdit(this);  // postal code part 1
    QLineEdit* Edit_kibon5 = new QLineEdit(this);  // postal code part 2
    QLabel* lb_kibon1 = new QLabel(this);          // address line
    QLineEdit* Edit_kibon6 = new QLineEdit(this);  // detail address
    QLineEdit* Edit_kibon7 = new QLineEdit(this);  // pharmacy telephone
    QLineEdit* Edit_kibon10 = new QLineEdit(this); // mobile number
    QLineEdit* Edit_kibon13 = new QLineEdit(this); // fax number
    QLineEdit* Edit_kibon16 = new QLineEdit(this); // location text
    QCheckBox* chk_kibon1 = new QCheckBox(this);   // this computer is the check computer

    // The picture buttons and their pressed twins; btn_kibon6 has none.
    PictureButton* btn_kibon1 = NewPictureButton(BasicInfoButton::IdentityCheck, {250, 147});
    PictureButton* btn_kibon2 = NewPictureButton(BasicInfoButton::PostalSearch, {244, 236});
    PictureButton* btn_kibon3 = NewPictureButton(BasicInfoButton::Submit, {169, 537});
    PictureButton* btn_kibon4 = NewPictureButton(BasicInfoButton::ReEnter, {268, 537});
    PictureButton* btn_kibon5 = NewPictureButton(BasicInfoButton::Close, {0, 573});
    PictureButton* btn_kibon6 = NewPictureButton(BasicInfoButton::Manual, {354, 82});
    QLabel* kibon_img2 = btn_kibon1->PressedPicture();
    QLabel* kibon_img3 = btn_kibon2->PressedPicture();
    QLabel* kibon_img5 = btn_kibon3->PressedPicture();
    QLabel* kibon_img4 = btn_kibon4->PressedPicture();
    QLabel* kibon_img6 = btn_kibon5->PressedPicture();

    // The identity check, the registration and the identity re-check after a registration.
    WebBrowser WebBrowser1{QStringLiteral("WebBrowser1")};
    WebBrowser WebBrowser2{QStringLiteral("WebBrowser2")};
    WebBrowser WebBrowser3{QStringLiteral("WebBrowser3")};

    // The pharmacist's identity counts as confirmed.
    bool IdentityConfirmed = false;
    // The fields of the last identity-check answer.
    QStringList TokenList;
    // "개국약사명" as the last show event read it, untrimmed.
    QString SettingsName;

    // Loads the stored values and runs the import from the management database.
    void FormShow();
    // Fills the fields from the pharmacy-management system's database where one is detected.
    void ImportFromManagementDb();
    // Asks the service to confirm the pharmacist's identity, through WebBrowser1 or the given
    // control; a four-character licence number gains a leading "0" first.
    void SendIdentityCheck();
    void SendIdentityCheck(WebBrowser& browser);

    // Enter in a text box moves on through the fields with the checks of each.
    void Edit_kibon1KeyDown(QLineEdit* box);
    // The click of any picture button, told apart by the sender.
    void btn_kibon2Click();
    // All buttons but the postal search shown, all pressed twins hidden.
    void ResetButtonImages();

    // 입력완료: registers when the identity is confirmed; otherwise refuses, or asks whether
    // this computer is to be released from checking.
    void SubmitDecision();
    // Posts the registration to "INPUT3.asp" through WebBrowser2.
    void SendRegistration();

    // Waits until the answers of the requests under way are handled, at most the request
    // time-out: a window that closed itself right after posting the registration still stores
    // what its answer confirms and signs in again before it may be deleted.
    void FinishRequests();

    // The answers of the identity check, the registration and the re-check: the completed
    // address, and the page's text.
    void WebBrowser1DocumentComplete(const QString& url);
    void WebBrowser2DocumentComplete(const QString& url);
    void WebBrowser3DocumentComplete(const QString& url);
    void IdentityAnswerArrived(const QString& url, const QString& text);
    void RegistrationAnswerArrived(const QString& url, const QString& text);
    void RecheckAnswerArrived(const QString& url, const QString& text);

signals:
    // The re-check's answer has been handled.
    void RecheckDone();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PictureButton* NewPictureButton(BasicInfoButton kind, QPoint at);
    void SetUpFields();
    // Whether the boxes hold what the service and the settings file can store; the first that
    // does not is named in a message and takes the focus.
    bool AllStorable(std::initializer_list<QLineEdit*> boxes);
    void CheckBirthNumber();
    void OpenPostalSearch();
    void ReEnter();
    void RegisterAutomatically();
    void WaitForRecheck();
    void WriteStoredValues();
    void WriteRecheckedValues();
    void OpenWeeklyHours();
};

// When set, the basic-information window closes itself the next time it paints.
inline bool CloseOnPaint = false;

// The one reused basic-information window of the main window and the tray; empty until opened.
inline QPointer<BasicInfoWindow> frm_Kibon;
