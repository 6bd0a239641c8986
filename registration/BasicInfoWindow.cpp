#include "registration/BasicInfoWindow.h"

#include "core/program/ModalDialog.h"
#include "core/program/PictureButton.h"
#include "core/program/ProgramValues.h"
#include "core/program/Trimmed.h"
#include "core/program/WindowFonts.h"
#include "core/requests/NetworkThread.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "platform/InputMode.h"
#include "registration/HelpFile.h"
#include "registration/IdentityCheck.h"
#include "registration/ManagementImport.h"
#include "registration/PostalSearchWindow.h"
#include "registration/Registration.h"
#include "registration/StorableText.h"
#include "registration/WarningMessage.h"
#include "resources/BasicInfoBackground.h"
#include "resources/BasicInfoButtons.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {

constexpr int ClientWidth = 500;
constexpr int ClientHeight = 598;
constexpr int BoxHeight = 12;

// What a text box takes.
enum class Input
{
    Korean,  // Hangul through the input method
    Digits,  // digits only
    AnyText, // telephone numbers
};

struct Field
{
    QLineEdit* box;
    const char* objectName;
    QRect place;
    QString caption;
    Input input;
    int maxLength;
};

// Switches the input method to Hangul whenever the watched box takes the focus.
class HangulOnFocus : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            platform::SelectNativeInputMode(static_cast<QWidget*>(watched)->window()->winId());
        return false;
    }
};

void SetUpBox(const Field& field)
{
    QLineEdit& box = *field.box;
    box.setObjectName(QString::fromLatin1(field.objectName));
    box.setGeometry(field.place);
    box.setFrame(false);
    box.setTextMargins(0, 0, 0, 0);
    box.setStyleSheet(QStringLiteral("QLineEdit { border: none; padding: 0px; background: white; "
                                     "color: black; lineedit-password-character: 42; }"));
    box.setAccessibleName(field.caption);
    KeepOnOneLine(box);
    if (field.maxLength > 0)
        box.setMaxLength(field.maxLength);
    switch (field.input) {
    case Input::Korean:
        box.installEventFilter(new HangulOnFocus(&box));
        break;
    case Input::Digits:
        box.setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &box));
        box.setInputMethodHints(Qt::ImhDigitsOnly);
        break;
    case Input::AnyText:
        box.setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhDialableCharactersOnly);
        break;
    }
}

} // namespace

BasicInfoWindow::BasicInfoWindow(Pharmacy& pharmacy, QWidget* parent)
    : QDialog(parent), pharmacy_(pharmacy), fields_{.pharmacistName = new QLineEdit(this),
                                                    .license = new QLineEdit(this),
                                                    .birthNumber = new QLineEdit(this),
                                                    .pharmacyName = new QLineEdit(this),
                                                    .postalCode1 = new QLineEdit(this),
                                                    .postalCode2 = new QLineEdit(this),
                                                    .addressLine = new QLabel(this),
                                                    .detailAddress = new QLineEdit(this),
                                                    .pharmacyPhone = new QLineEdit(this),
                                                    .mobilePhone = new QLineEdit(this),
                                                    .faxNumber = new QLineEdit(this),
                                                    .location = new QLineEdit(this),
                                                    .checkComputer = new QCheckBox(this)},
      identity_(new IdentityCheck(fields_, this)),
      registration_(new Registration(*this, fields_, *identity_, pharmacy))
{
    setWindowTitle(QStringLiteral("초록우체통 기본정보입력"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(TahomaFont(11, false));
    CloseOnPaint = false;

    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("background"));
    background->setGeometry(rect());
    background->setPixmap(QPixmap::fromImage(BasicInfoBackground()));
    background->lower();
    SetUpFields();

    connect(NewPictureButton(BasicInfoButton::IdentityCheck, {250, 147}, "identityCheckButton"),
            &PictureButton::Clicked, identity_, &IdentityCheck::Send);
    connect(NewPictureButton(BasicInfoButton::Submit, {169, 537}, "submitButton"),
            &PictureButton::Clicked, registration_, &Registration::Submit);
    connect(NewPictureButton(BasicInfoButton::ReEnter, {268, 537}, "reEnterButton"),
            &PictureButton::Clicked, this, &BasicInfoWindow::ReEnter);
    connect(NewPictureButton(BasicInfoButton::Close, {0, 573}, "closeBar"), &PictureButton::Clicked,
            this, [this] { close(); });
    connect(NewPictureButton(BasicInfoButton::Manual, {354, 82}, "manualButton"),
            &PictureButton::Clicked, this, [] { OpenHelpFile(); });

    connect(identity_, &IdentityCheck::Confirmed, registration_,
            &Registration::RegisterAtFirstSignIn);
    connect(registration_, &Registration::CheckComputerRegistered, this,
            &BasicInfoWindow::CheckComputerRegistered);
    connect(registration_, &Registration::SignInRequested, this, &BasicInfoWindow::SignInRequested);
    connect(registration_, &Registration::WeeklyHoursRequested, this,
            &BasicInfoWindow::WeeklyHoursRequested);
}

BasicInfoWindow::~BasicInfoWindow() = default;

void BasicInfoWindow::SetUpFields()
{
    const BasicInfoFields& f = fields_;
    const Field fields[] = {
        {f.pharmacistName,
         "pharmacistName",
         {155, 150, 87, BoxHeight},
         QStringLiteral("대표 약사명"),
         Input::Korean,
         0},
        {f.license,
         "license",
         {155, 172, 85, BoxHeight},
         QStringLiteral("대표약사면허번호"),
         Input::Digits,
         5},
        {f.birthNumber,
         "birthNumber",
         {155, 194, 85, BoxHeight},
         QStringLiteral("생년월일(예:880123)"),
         Input::Digits,
         7},
        {f.pharmacyName,
         "pharmacyName",
         {155, 216, 154, BoxHeight},
         QStringLiteral("약국명"),
         Input::Korean,
         0},
        {f.postalCode1,
         "postalCode1",
         {155, 238, 70, BoxHeight},
         QStringLiteral("우편번호"),
         Input::AnyText,
         0},
        {f.postalCode2,
         "postalCode2",
         {335, 238, 26, BoxHeight},
         QStringLiteral("우편번호 뒷자리"),
         Input::AnyText,
         0},
        {f.detailAddress,
         "detailAddress",
         {155, 282, 260, BoxHeight},
         QStringLiteral("상세주소"),
         Input::Korean,
         0},
        {f.pharmacyPhone,
         "pharmacyPhone",
         {157, 305, 152, BoxHeight},
         QStringLiteral("약국전화번호"),
         Input::AnyText,
         20},
        {f.mobilePhone,
         "mobilePhone",
         {157, 377, 152, BoxHeight},
         QStringLiteral("핸드폰번호"),
         Input::AnyText,
         20},
        {f.faxNumber,
         "faxNumber",
         {157, 399, 152, BoxHeight},
         QStringLiteral("팩스 번호"),
         Input::AnyText,
         20},
        {f.location,
         "location",
         {155, 421, 262, BoxHeight},
         QStringLiteral("위치 정보"),
         Input::Korean,
         0},
    };
    for (const Field& field : fields) {
        SetUpBox(field);
        field.box->installEventFilter(this);
    }
    f.birthNumber->setEchoMode(QLineEdit::Password);
    f.postalCode1->setAlignment(Qt::AlignCenter);
    f.postalCode1->setEnabled(false);
    f.postalCode2->setEnabled(false);
    f.postalCode2->hide();
    f.detailAddress->setEnabled(false);

    f.addressLine->setObjectName(QStringLiteral("addressLine"));
    f.addressLine->setGeometry(155, 260, 260, 14);
    f.addressLine->setEnabled(false);
    f.addressLine->setAccessibleName(QStringLiteral("주 소"));

    f.checkComputer->setObjectName(QStringLiteral("checkComputer"));
    f.checkComputer->setGeometry(244, 461, 15, 18);
    f.checkComputer->setAccessibleName(QStringLiteral("초록우체통약국 확인(전용) 컴퓨터"));

    QWidget* const order[] = {f.pharmacistName, f.license,     f.birthNumber,   f.pharmacyName,
                              f.postalCode1,    f.postalCode2, f.detailAddress, f.pharmacyPhone,
                              f.mobilePhone,    f.faxNumber,   f.location,      f.checkComputer};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// The button's pressed twin is named after it with "Pressed"; the manual button shows no twin.
PictureButton* BasicInfoWindow::NewPictureButton(BasicInfoButton kind, QPoint at,
                                                 const char* objectName)
{
    const QRect place(at, BasicInfoButtonSize(kind));
    const bool twin = kind != BasicInfoButton::Manual;
    auto* button = new PictureButton(
        this, [kind] { return BasicInfoButtonPicture(kind, false); }, place,
        [kind, twin] { return BasicInfoButtonPicture(kind, twin); }, place);
    button->setObjectName(QString::fromLatin1(objectName));
    button->PressedPicture()->setObjectName(QString::fromLatin1(objectName) +
                                            QStringLiteral("Pressed"));
    button->setAccessibleName(BasicInfoButtonCaption(kind));
    if (twin) {
        buttonsWithTwins_.append(button);
        button->ShowPressesAfter(this, [this] { ShowButtonsReleased(); });
    }
    return button;
}

void BasicInfoWindow::ShowButtonsReleased()
{
    for (PictureButton* button : buttonsWithTwins_)
        button->ShowReleased();
}

// Each show starts unconfirmed from the stored values and ends with the import.
void BasicInfoWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    identity_->SetConfirmed(false);
    LoadStoredValues();
    ManagementImport(*this, fields_, *identity_, pharmacy_).Run(storedPharmacistName_);
}

// Every field but the birth number, trimmed; a blank check computer leaves the box as it is.
void BasicInfoWindow::LoadStoredValues()
{
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    const auto stored = [&settings](const QString& key) {
        return ReadIniString(settings, SettingsKeys::BasicInfo, key, {});
    };
    const QString name = stored(SettingsKeys::PharmacistName);
    fields_.pharmacistName->setText(Trimmed(name));
    fields_.license->setText(Trimmed(stored(SettingsKeys::PharmacistLicense)));
    fields_.pharmacyName->setText(Trimmed(stored(SettingsKeys::PharmacyName)));
    fields_.postalCode1->setText(Trimmed(stored(SettingsKeys::PostalCode1)));
    fields_.postalCode2->setText(Trimmed(stored(SettingsKeys::PostalCode2)));
    fields_.addressLine->setText(Trimmed(stored(SettingsKeys::Address3)));
    fields_.detailAddress->setText(Trimmed(stored(SettingsKeys::Address4)));
    fields_.pharmacyPhone->setText(Trimmed(stored(SettingsKeys::PharmacyPhone)));
    fields_.mobilePhone->setText(Trimmed(stored(SettingsKeys::MobilePhone)));
    fields_.faxNumber->setText(Trimmed(stored(SettingsKeys::FaxNumber)));
    fields_.location->setText(Trimmed(stored(SettingsKeys::Location)));
    storedPharmacistName_ = name;
    if (!Trimmed(stored(SettingsKeys::CheckComputer)).isEmpty())
        fields_.checkComputer->setChecked(true);
}

// The window closes by its close bar, its frame or a registration only; Escape does not close it.
void BasicInfoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool BasicInfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto* box = qobject_cast<QLineEdit*>(watched);
        if (box != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            EnterPressedIn(box);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter moves on through the fields; the licence, the birth number, the pharmacy name and the
// mobile number have a check or an action of their own.
void BasicInfoWindow::EnterPressedIn(const QLineEdit* box)
{
    const BasicInfoFields& f = fields_;
    if (box == f.pharmacistName) {
        f.license->setFocus();
    } else if (box == f.license) {
        PadFourDigitLicense(*f.license);
        f.birthNumber->setFocus();
    } else if (box == f.birthNumber) {
        CheckBirthNumber();
    } else if (box == f.pharmacyName) {
        OpenPostalSearch();
    } else if (box == f.pharmacyPhone) {
        f.mobilePhone->setFocus();
    } else if (box == f.mobilePhone) {
        if (Trimmed(f.mobilePhone->text()).isEmpty()) {
            ShowWarning(QStringLiteral(" 초록우체통 개폐문 정보를 전송하기 위해서 핸드폰 정보가 "
                                       "필요합니다.\r\n 되도록 핸드폰 번호는 꼭 입력해 주세요!"));
        }
        f.faxNumber->setFocus();
    } else if (box == f.faxNumber) {
        f.location->setFocus();
    } else if (box == f.location) {
        f.checkComputer->setFocus();
    }
}

// A complete entry sends the identity check at once, untrimmed and without testing the
// licence's length; otherwise the messages say what is missing, the birth number's last.
void BasicInfoWindow::CheckBirthNumber()
{
    const BasicInfoFields& f = fields_;
    if (!f.pharmacistName->text().isEmpty() && !f.license->text().isEmpty() &&
        f.birthNumber->text().size() == 7) {
        identity_->Send();
    } else if (Trimmed(f.pharmacistName->text()).isEmpty()) {
        ShowWarning(QStringLiteral("개국 약사명이 입력되지 않았습니다. 다시 입력해 주십시요"));
        f.pharmacistName->setFocus();
    } else if (Trimmed(f.license->text()).size() < 5) {
        ShowWarning(QStringLiteral("개국약사 면허번호가 입력되지 않았거나 잘못 입력되었습니다. "
                                   "다시 입력해 주십시요"));
        // WORKAROUND: the focus stays in the birth number, not the licence, as it always has:
        // the birth-number message that usually follows puts it there as well.
        f.birthNumber->setFocus();
    }
    if (f.birthNumber->text().size() != 7) {
        ShowWarning(QStringLiteral("주민번호를 잘못 입력하셨습니다. 다시 입력해 주십시요"));
        f.birthNumber->setFocus();
    }
}

// The address line and detail address start empty; a choice in the search fills the postal
// code and the address line, and the street address is typed into the detail address next.
void BasicInfoWindow::OpenPostalSearch()
{
    fields_.addressLine->clear();
    fields_.detailAddress->clear();
    const auto search = std::make_unique<PostalSearchWindow>(this);
    connect(search.get(), &PostalSearchWindow::Chosen, this, &BasicInfoWindow::TakePostalChoice);
    ShowModal(*search);
    fields_.detailAddress->setEnabled(true);
    fields_.detailAddress->setFocus();
}

void BasicInfoWindow::TakePostalChoice(const QString& postalCode1, const QString& postalCode2,
                                       const QString& addressLine)
{
    fields_.postalCode1->setText(postalCode1);
    fields_.postalCode2->setText(postalCode2);
    fields_.addressLine->setText(addressLine);
}

// Empties the text boxes, keeping name and licence number of a confirmed identity, and puts the
// focus where typing goes on.
void BasicInfoWindow::ReEnter()
{
    const BasicInfoFields& f = fields_;
    const bool confirmed = identity_->IsConfirmed();
    // WORKAROUND: the birth number and the address line keep their text, confirmed or not, as
    // they always have (the boxes were once emptied by a name these two did not share). After a
    // confirmed identity the registration needs that birth number: the service checks it.
    for (QLineEdit* box : {f.pharmacyName, f.postalCode1, f.postalCode2, f.detailAddress,
                           f.pharmacyPhone, f.mobilePhone, f.faxNumber, f.location})
        box->clear();
    if (!confirmed) {
        f.pharmacistName->clear();
        f.license->clear();
    }
    f.checkComputer->setChecked(false);
    if (confirmed)
        f.pharmacyName->setFocus();
    else
        f.pharmacistName->setFocus();
}

void BasicInfoWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (CloseOnPaint)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void BasicInfoWindow::FinishRequests()
{
    const QList<WebBrowser*> requests = findChildren<WebBrowser*>();
    const auto underWay = [&requests] {
        return std::any_of(requests.begin(), requests.end(),
                           [](const WebBrowser* request) { return request->ReadyState() == 1; });
    };
    if (!underWay())
        return;
    QEventLoop wait;
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &wait, &QEventLoop::quit);
    // Connected after the window's own handlers, so the loop ends once they have returned. A
    // request ends at its time-out; the bound only keeps a lost completion from holding on.
    for (WebBrowser* request : requests)
        connect(request, &WebBrowser::DocumentComplete, &wait, [&] {
            if (!underWay())
                wait.quit();
        });
    bound.start(RequestTimeout() + std::chrono::seconds(5));
    wait.exec();
}
