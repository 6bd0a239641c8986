#include "BasicInfoWindow.h"

#include "BasicInfoBackground.h"
#include "HelpFile.h"
#include "InputMode.h"
#include "MessageBox.h"
#include "ModalDialog.h"
#include "PostalSearchWindow.h"
#include "Quillane_Define.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "StorableText.h"
#include "WindowFonts.h"

#include <QKeyEvent>
#include <QPixmap>
#include <QRegularExpressionValidator>

namespace {

constexpr int ClientWidth = 500;
constexpr int ClientHeight = 598;
constexpr int BoxHeight = 12;

const QString Warning = QStringLiteral("경고");

void Warn(const QString& text)
{
    ShowMessage({.text = text,
                 .caption = Warning,
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
}

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
    const char* name;
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
    box.setObjectName(QString::fromLatin1(field.name));
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

BasicInfoWindow::BasicInfoWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 기본정보입력"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(TahomaFont(11, false));
    CloseOnPaint = false;

    kibon_img1->setGeometry(rect());
    kibon_img1->setPixmap(QPixmap::fromImage(BasicInfoBackground()));
    kibon_img1->lower();
    SetUpFields();
    // The postal search is reached by Enter in the pharmacy name; its button never shows.
    btn_kibon2->hide();

    connect(&WebBrowser1, &WebBrowser::DocumentComplete, this,
            &BasicInfoWindow::WebBrowser1DocumentComplete);
    connect(&WebBrowser2, &WebBrowser::DocumentComplete, this,
            &BasicInfoWindow::WebBrowser2DocumentComplete);
    connect(&WebBrowser3, &WebBrowser::DocumentComplete, this,
            &BasicInfoWindow::WebBrowser3DocumentComplete);
}

BasicInfoWindow::~BasicInfoWindow() = default;

void BasicInfoWindow::SetUpFields()
{
    const Field fields[] = {
        {Edit_kibon1,
         "Edit_kibon1",
         {155, 150, 87, BoxHeight},
         QStringLiteral("대표 약사명"),
         Input::Korean,
         0},
        {Edit_kibon2,
         "Edit_kibon2",
         {155, 172, 85, BoxHeight},
         QStringLiteral("대표약사면허번호"),
         Input::Digits,
         5},
        {EdiT_Jumin,
         "EdiT_Jumin",
         {155, 194, 85, BoxHeight},
         QStringLiteral("생년월일(예:880123)"),
         Input::Digits,
         7},
        {Edit_kibon3,
         "Edit_kibon3",
         {155, 216, 154, BoxHeight},
         QStringLiteral("약국명"),
         Input::Korean,
         0},
        {Edit_kibon4,
         "Edit_kibon4",
         {155, 238, 70, BoxHeight},
         QStringLiteral("우편번호"),
         Input::AnyText,
         0},
        {Edit_kibon5,
         "Edit_kibon5",
         {335, 238, 26, BoxHeight},
         QStringLiteral("우편번호 뒷자리"),
         Input::AnyText,
         0},
        {Edit_kibon6,
         "Edit_kibon6",
         {155, 282, 260, BoxHeight},
         QStringLiteral("상세주소"),
         Input::Korean,
         0},
        {Edit_kibon7,
         "Edit_kibon7",
         {157, 305, 152, BoxHeight},
         QStringLiteral("약국전화번호"),
         Input::AnyText,
         20},
        {Edit_kibon10,
         "Edit_kibon10",
         {157, 377, 152, BoxHeight},
         QStringLiteral("핸드폰번호"),
         Input::AnyText,
         20},
        {Edit_kibon13,
         "Edit_kibon13",
         {157, 399, 152, BoxHeight},
         QStringLiteral("팩스 번호"),
         Input::AnyText,
         20},
        {Edit_kibon16,
         "Edit_kibon16",
         {155, 421, 262, BoxHeight},
         QStringLiteral("위치 정보"),
         Input::Korean,
         0},
    };
    for (const Field& field : fields) {
        SetUpBox(field);
        field.box->installEventFilter(this);
    }
    EdiT_Jumin->setEchoMode(QLineEdit::Password);
    Edit_kibon4->setAlignment(Qt::AlignCenter);
    Edit_kibon4->setEnabled(false);
    Edit_kibon5->setEnabled(false);
    Edit_kibon5->hide();
    Edit_kibon6->setEnabled(false);

    lb_kibon1->setObjectName(QStringLiteral("lb_kibon1"));
    lb_kibon1->setGeometry(155, 260, 260, 14);
    lb_kibon1->setEnabled(false);
    lb_kibon1->setAccessibleName(QStringLiteral("주 소"));

    chk_kibon1->setObjectName(QStringLiteral("chk_kibon1"));
    chk_kibon1->setGeometry(244, 461, 15, 18);
    chk_kibon1->setAccessibleName(QStringLiteral("초록우체통약국 확인(전용) 컴퓨터"));

    QWidget* const order[] = {Edit_kibon1,  Edit_kibon2,  EdiT_Jumin,   Edit_kibon3,
                              Edit_kibon4,  Edit_kibon5,  Edit_kibon6,  Edit_kibon7,
                              Edit_kibon10, Edit_kibon13, Edit_kibon16, chk_kibon1};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool BasicInfoWindow::AllStorable(std::initializer_list<QLineEdit*> boxes)
{
    for (QLineEdit* box : boxes) {
        if (!IsStorableText(Trimmed(box->text()))) {
            Warn(box->accessibleName() +
                 QStringLiteral("에 사용할 수 없는 문자가 있습니다. 다시 입력해 주십시요"));
            box->setFocus();
            return false;
        }
    }
    return true;
}

PictureButton* BasicInfoWindow::NewPictureButton(BasicInfoButton kind, QPoint at)
{
    const QRect place(at, BasicInfoButtonSize(kind));
    // The manual button has no pressed picture: its twin is never shown.
    const bool twin = kind != BasicInfoButton::Manual;
    auto* button = new PictureButton(
        this, [kind] { return BasicInfoButtonPicture(kind, false); }, place,
        [kind, twin] { return BasicInfoButtonPicture(kind, twin); }, place);
    button->setAccessibleName(BasicInfoButtonCaption(kind));
    connect(button, &PictureButton::Clicked, this, &BasicInfoWindow::btn_kibon2Click);
    if (!twin)
        return button;
    button->ShowPressesAfter(this, [this] { ResetButtonImages(); });
    return button;
}

void BasicInfoWindow::ResetButtonImages()
{
    for (PictureButton* button : {btn_kibon1, btn_kibon3, btn_kibon4, btn_kibon5})
        button->ShowReleased();
    kibon_img3->hide();
}

void BasicInfoWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void BasicInfoWindow::FormShow()
{
    IdentityConfirmed = false;
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    const auto stored = [&settings](const QString& key) {
        return ReadIniString(settings, SettingsKeys::BasicInfo, key, {});
    };
    const QString name = stored(SettingsKeys::PharmacistName);
    Edit_kibon1->setText(Trimmed(name));
    Edit_kibon2->setText(Trimmed(stored(SettingsKeys::PharmacistLicense)));
    Edit_kibon3->setText(Trimmed(stored(SettingsKeys::PharmacyName)));
    Edit_kibon4->setText(Trimmed(stored(SettingsKeys::PostalCode1)));
    Edit_kibon5->setText(Trimmed(stored(SettingsKeys::PostalCode2)));
    lb_kibon1->setText(Trimmed(stored(SettingsKeys::Address3)));
    Edit_kibon6->setText(Trimmed(stored(SettingsKeys::Address4)));
    Edit_kibon7->setText(Trimmed(stored(SettingsKeys::PharmacyPhone)));
    Edit_kibon10->setText(Trimmed(stored(SettingsKeys::MobilePhone)));
    Edit_kibon13->setText(Trimmed(stored(SettingsKeys::FaxNumber)));
    Edit_kibon16->setText(Trimmed(stored(SettingsKeys::Location)));
    SettingsName = name;
    if (!Trimmed(stored(SettingsKeys::CheckComputer)).isEmpty())
        chk_kibon1->setChecked(true);
    ImportFromManagementDb();
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
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            Edit_kibon1KeyDown(box);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BasicInfoWindow::Edit_kibon1KeyDown(QLineEdit* box)
{
    if (box == Edit_kibon1) {
        Edit_kibon2->setFocus();
    } else if (box == Edit_kibon2) {
        if (Edit_kibon2->text().size() == 4)
            Edit_kibon2->setText(QLatin1Char('0') + Trimmed(Edit_kibon2->text()));
        EdiT_Jumin->setFocus();
    } else if (box == EdiT_Jumin) {
        CheckBirthNumber();
    } else if (box == Edit_kibon3) {
        OpenPostalSearch();
    } else if (box == Edit_kibon7) {
        Edit_kibon10->setFocus();
    } else if (box == Edit_kibon10) {
        if (Trimmed(Edit_kibon10->text()).isEmpty()) {
            Warn(QStringLiteral(" 초록우체통 개폐문 정보를 전송하기 위해서 핸드폰 정보가 "
                                "필요합니다.\r\n 되도록 핸드폰 번호는 꼭 입력해 주세요!"));
        }
        Edit_kibon13->setFocus();
    } else if (box == Edit_kibon13) {
        Edit_kibon16->setFocus();
    } else if (box == Edit_kibon16) {
        chk_kibon1->setFocus();
    }
}

// A complete entry sends the identity check at once; otherwise the messages say what is missing.
void BasicInfoWindow::CheckBirthNumber()
{
    if (!Edit_kibon1->text().isEmpty() && !Edit_kibon2->text().isEmpty() &&
        EdiT_Jumin->text().size() == 7) {
        SendIdentityCheck();
    } else if (Trimmed(Edit_kibon1->text()).isEmpty()) {
        Warn(QStringLiteral("개국 약사명이 입력되지 않았습니다. 다시 입력해 주십시요"));
        Edit_kibon1->setFocus();
    } else if (Trimmed(Edit_kibon2->text()).size() < 5) {
        Warn(QStringLiteral("개국약사 면허번호가 입력되지 않았거나 잘못 입력되었습니다. 다시 "
                            "입력해 주십시요"));
        EdiT_Jumin->setFocus();
    }
    if (EdiT_Jumin->text().size() != 7) {
        Warn(QStringLiteral("주민번호를 잘못 입력하셨습니다. 다시 입력해 주십시요"));
        EdiT_Jumin->setFocus();
    }
}

void BasicInfoWindow::btn_kibon2Click()
{
    const QObject* button = sender();
    if (button == btn_kibon1)
        SendIdentityCheck();
    else if (button == btn_kibon2)
        OpenPostalSearch();
    else if (button == btn_kibon3)
        SubmitDecision();
    else if (button == btn_kibon4)
        ReEnter();
    else if (button == btn_kibon5)
        close();
    else if (button == btn_kibon6)
        OpenHelpFile();
}

// The address line and detail address start empty; a choice in the search fills the postal
// code and the address line, and the street address is typed into the detail address next.
void BasicInfoWindow::OpenPostalSearch()
{
    lb_kibon1->clear();
    Edit_kibon6->clear();
    auto* zipcode = new PostalSearchWindow(this);
    ShowModal(*zipcode);
    delete zipcode;
    Edit_kibon6->setEnabled(true);
    Edit_kibon6->setFocus();
}

// Empties the text boxes named Edit_kibon..., keeping name and licence number of a confirmed
// identity; the birth number and the address line keep their text.
void BasicInfoWindow::ReEnter()
{
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        const bool kept = IdentityConfirmed && (box == Edit_kibon1 || box == Edit_kibon2);
        if (box->objectName().toUpper().startsWith(QStringLiteral("EDIT_KIBON")) && !kept)
            box->clear();
    }
    chk_kibon1->setChecked(false);
    if (IdentityConfirmed)
        Edit_kibon3->setFocus();
    else
        Edit_kibon1->setFocus();
}

void BasicInfoWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (CloseOnPaint)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}
