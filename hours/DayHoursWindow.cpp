#include "DayHoursWindow.h"

#include "FormEncoding.h"
#include "MessageBox.h"
#include "PictureButton.h"
#include "Quillane_Define.h"
#include "ServerErrorPage.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "SplitFields.h"
#include "TimeSlots.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {

constexpr int ListHeight = 23;
constexpr int BoxSize = 17;
constexpr QSize ButtonSize(81, 23);
constexpr int ButtonTop = 527;
constexpr int SaveButtonLeft = 169;
constexpr int ResetButtonLeft = 268;
constexpr int CloseBarWidth = 500;
constexpr int CloseBarHeight = 27;

// 돋움체, the fixed-pitch Korean face, or NanumGothicCoding where it is missing.
QFont FixedPitchFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("돋움체"), QStringLiteral("DotumChe"),
                      QStringLiteral("NanumGothicCoding")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// 돋움, or NanumGothic where it is missing.
QFont DotumFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("돋움"), QStringLiteral("Dotum"), QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

template <class Control> Control* Named(Control* control, const QString& name)
{
    control->setObjectName(name);
    control->hide();
    return control;
}

QLabel* SmallLabel(QWidget* parent, const QString& caption, const QString& name, QPoint at)
{
    auto* label = Named(new QLabel(caption, parent), name);
    label->setFont(DotumFont(11, false));
    label->setGeometry(QRect(at, QSize(26, ListHeight)));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setEnabled(false);
    return label;
}

QComboBox* TimeList(QWidget* parent, const QStringList& items, const QString& name, QRect place)
{
    auto* list = Named(new QComboBox(parent), name);
    list->addItems(items);
    // A short drop-down list beside the box, as the pharmacist's other programs show it.
    list->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    list->setMaxVisibleItems(8);
    list->setFont(FixedPitchFont(15, true));
    list->setGeometry(place);
    list->setEnabled(false);
    return list;
}

void WarnUnreadable(qsizetype record)
{
    ShowMessage({.text = QStringLiteral("서버에서 받은 근무시간을 읽을 수 없습니다.\r\n"
                                        "%1번째 줄부터는 표시하지 못했습니다.")
                             .arg(record + 1),
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
}

} // namespace

DayHoursWindow::DayHoursWindow(DayHoursSetup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup))
{
    setWindowTitle(setup_.caption);
    setFixedSize(setup_.clientSize);
    AddBackground();

    auto* header = new QLabel(QStringLiteral("근무유무"), this);
    header->setObjectName(QStringLiteral("Label11"));
    header->setFont(DotumFont(12, true));
    header->move(setup_.headerAt);
    header->adjustSize();

    for (std::size_t i = 0; i < setup_.rowTops.size(); ++i)
        AddRow(static_cast<int>(i) + 1, setup_.rowTops[i]);
    AddButtons();
    connect(&WebBrowser1, &WebBrowser::DocumentComplete, this,
            &DayHoursWindow::WebBrowser1DocumentComplete);
}

const DayHoursRow& DayHoursWindow::Row(int n) const
{
    return rows_.at(static_cast<std::size_t>(n - 1));
}

int DayHoursWindow::RowCount() const
{
    return static_cast<int>(rows_.size());
}

// Runs each time the window becomes visible, not when it is only brought back from the taskbar.
void DayHoursWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void DayHoursWindow::FormShow()
{
    RequestMode.clear();
    LicenseNo = ReadIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::BasicInfo,
                              SettingsKeys::PharmacistLicense, LicenseNo);
    RequestMode = QStringLiteral("1");
    RequestBody = QStringLiteral("P_select  =1&P_LICENSE    =") + FormValue(Trimmed(LicenseNo));
    for (int n = 1; n <= setup_.fetchRows; ++n)
        RequestBody += FetchFields(n);
    SendRequest(RequestBody);
}

void DayHoursWindow::SendRequest(const QString& body)
{
    PostPage(WebBrowser1, setup_.page, body);
}

void DayHoursWindow::ButtonClick(const PictureButton* sender)
{
    if (sender == SaveButton())
        Save();
    else if (sender == ResetButton())
        Reset();
    else if (sender == CloseButton())
        close();
}

// Every row goes out, loaded or not; the end is not checked against the start.
void DayHoursWindow::Save()
{
    RequestMode = QStringLiteral("2");
    RequestBody = QStringLiteral("P_select  =2&P_LICENSE    =") + FormValue(Trimmed(LicenseNo));
    for (int n = 1; n <= RowCount(); ++n)
        RequestBody += Row(n).SaveFields(n);
    SendRequest(RequestBody);
}

// Rows keep their visibility, names and dates; nothing is sent.
void DayHoursWindow::Reset()
{
    for (const DayHoursRow& row : rows_)
        row.Reset();
}

void DayHoursWindow::StartListClick(int n)
{
    const DayHoursRow& row = Row(n);
    row.end->setCurrentIndex(row.start->currentIndex() + 1);
}

void DayHoursWindow::WebBrowser1DocumentComplete(const QString& url)
{
    PageArrived(url, PageText(WebBrowser1));
}

// The answers to the fetch and to the save alike fill the rows; the save's answer is then
// confirmed and the window closes. Error pages change nothing.
void DayHoursWindow::PageArrived(const QString& url, const QString& text)
{
    if (url.isEmpty() || IsServerErrorPage(text))
        return;
    QStringList records;
    SplitFields(CharSetOf(u"]"), CharSet(), text, &records);
    if (const std::optional<qsizetype> unread = FillRows(records)) {
        WarnUnreadable(*unread);
        return;
    }
    if (RequestMode == QStringLiteral("2")) {
        ShowMessage({.text = setup_.savedMessage,
                     .caption = QString(),
                     .icon = MessageIcon::None,
                     .buttons = MessageButtons::Ok});
        close();
    }
}

// Record i fills row i + 1; an empty record leaves its row as it is. With one festival only, a
// record named otherwise than the last one shown is passed over.
std::optional<qsizetype> DayHoursWindow::FillRows(const QStringList& records)
{
    QString lastShownName;
    const qsizetype count = std::min<qsizetype>(records.size(), RowCount());
    for (qsizetype i = 0; i < count; ++i) {
        const QString record = Trimmed(records[i]);
        if (record.isEmpty())
            continue;
        const QString name = DayRecordName(record);
        if (setup_.oneFestival && !Trimmed(lastShownName).isEmpty() &&
            Trimmed(lastShownName) != name)
            continue;
        const std::optional<DayRecord> day = ReadDayRecord(record);
        if (!day)
            return i;
        rows_[static_cast<std::size_t>(i)].Fill(*day);
        lastShownName = name;
    }
    return std::nullopt;
}

// A repaint restores every button, except while one is held down.
void DayHoursWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    for (const PictureButton* button : buttons_) {
        if (button->IsHeld())
            return;
    }
    ResetButtonImages();
}

// The window closes by its close bar, its frame or a save only; Escape does not close it.
void DayHoursWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DayHoursWindow::ResetButtonImages()
{
    for (PictureButton* button : buttons_)
        button->ShowReleased();
}

void DayHoursWindow::AddBackground()
{
    auto* background = new QLabel(this);
    background->setObjectName(setup_.controlName + QStringLiteral("_img1"));
    background->setGeometry(rect());
    background->setPixmap(QPixmap::fromImage(HolidayBackground(setup_.picture, setup_.clientSize)));
}

void DayHoursWindow::AddRow(int n, int top)
{
    const DayHoursColumns& at = setup_.columns;
    const QString& name = setup_.controlName;
    const QString number = QString::number(n);
    DayHoursRow row{
        .name = Named(new QLabel(setup_.designCaptions.value(n - 1), this),
                      QStringLiteral("lb_") + name + number),
        .working = Named(new QCheckBox(this), QStringLiteral("chk_") + name + number),
        .start = TimeList(this, StartTimeLabels(),
                          QStringLiteral("cmb_") + name + QString::number(2 * n - 1),
                          QRect(at.start, top, at.startWidth, ListHeight)),
        .from = SmallLabel(this, QStringLiteral("부터"), QStringLiteral("lbs") + number,
                           QPoint(at.from, top)),
        .end =
            TimeList(this, EndTimeLabels(), QStringLiteral("cmb_") + name + QString::number(2 * n),
                     QRect(at.end, top, at.endWidth, ListHeight)),
        .to = SmallLabel(this, QStringLiteral("까지"), QStringLiteral("lbe") + number,
                         QPoint(at.to, top)),
        .date = Named(new QLineEdit(this), QStringLiteral("Edit_") + name + number),
    };
    row.name->setFont(FixedPitchFont(16, true));
    row.name->setGeometry(at.name, top, at.box - at.name, ListHeight);
    row.name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.working->setGeometry(at.box, top + (ListHeight - BoxSize) / 2, BoxSize, BoxSize);
    row.date->setFont(FixedPitchFont(15, true));
    row.date->setGeometry(at.date, top, at.dateWidth, ListHeight);
    row.date->setAlignment(Qt::AlignCenter);
    row.date->setEnabled(false);

    connect(row.working, &QCheckBox::toggled, this, [row] { row.FollowWorkingBox(); });
    connect(row.start, &QComboBox::activated, this, [this, n] { StartListClick(n); });
    rows_.push_back(row);
}

void DayHoursWindow::AddButtons()
{
    buttons_ = {
        NewPictureButton(1, HolidayButton::Save, QRect({SaveButtonLeft, ButtonTop}, ButtonSize), 3),
        NewPictureButton(2, HolidayButton::Reset, QRect({ResetButtonLeft, ButtonTop}, ButtonSize),
                         2),
        NewPictureButton(3, HolidayButton::Close,
                         QRect(0, setup_.closeBarTop, CloseBarWidth, CloseBarHeight), 4),
    };
}

// The button and its pressed twin, setup_.controlName + "_img" + pressedNumber, at one place.
PictureButton* DayHoursWindow::NewPictureButton(int number, HolidayButton kind, QRect place,
                                                int pressedNumber)
{
    const QSize size = place.size();
    auto* button = new PictureButton(
        this, [kind, size] { return HolidayButtonPicture(kind, size, false); }, place,
        [kind, size] { return HolidayButtonPicture(kind, size, true); }, place);
    button->setObjectName(setup_.buttonName + QString::number(number));
    button->PressedPicture()->setObjectName(setup_.controlName + QStringLiteral("_img") +
                                            QString::number(pressedNumber));
    connect(button, &PictureButton::Pressed, this, [this, button] {
        ResetButtonImages();
        button->ShowPressed();
    });
    connect(button, &PictureButton::Released, this, [this, button] {
        ResetButtonImages();
        button->ShowReleased();
    });
    connect(button, &PictureButton::Clicked, this, [this, button] { ButtonClick(button); });
    return button;
}
