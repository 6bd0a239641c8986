#include "LegalHolidayReminder.h"

#include "FormEncoding.h"
#include "MessageBox.h"
#include "PictureButton.h"
#include "Quillane_Define.h"
#include "ReminderButtons.h"
#include "ServerErrorPage.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "TimeSlots.h"
#include "WindowFonts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int TextPixelSize = 12;
constexpr int NamePixelSize = 19;
constexpr int SmallestNamePixelSize = 10;
constexpr int ListHeight = 21;
// Where the holiday's name stands: left of the start list, between the countdown and the red note.
constexpr QRect NameBox(20, 154, 108, 32);

QLabel* NewText(QWidget* parent, const QString& text, QPoint at, int pixelSize = TextPixelSize)
{
    auto* label = new QLabel(text, parent);
    label->setFont(TahomaFont(pixelSize, true));
    label->move(at);
    label->adjustSize();
    return label;
}

// A time list that nothing enables: it shows its first item, "00:00", throughout.
QComboBox* NewTimeList(QWidget* parent, const QStringList& items, QRect place)
{
    auto* list = new QComboBox(parent);
    list->addItems(items);
    list->setGeometry(place);
    list->setFont(TahomaFont(TextPixelSize, true));
    list->setEnabled(false);
    return list;
}

// The whole name in its box: on one line at the largest size that fits, else wrapped at the
// smallest.
void ShowName(QLabel* label, const QString& name)
{
    QFont font = label->font();
    int size = NamePixelSize;
    for (; size > SmallestNamePixelSize; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(name) <= NameBox.width())
            break;
    }
    font.setPixelSize(size);
    label->setFont(font);
    label->setText(name);
}

QString SettingsFile()
{
    return ProgramFolder + SettingsKeys::FileName;
}

void StoreAnswer(const QString& answer)
{
    WriteIniString(SettingsFile(), SettingsKeys::Festival, SettingsKeys::ReminderAnswered, answer);
}

} // namespace

LegalHolidayReminder::LegalHolidayReminder(QWidget* parent)
    : QDialog(parent), holmsg_img1(new QLabel(this)),
      Label2(NewText(this,
                     QStringLiteral("해당 법정 공휴일에 근무를 하신다면 약국 근무 시간을 입력"),
                     {12, 56})),
      Label3(
          NewText(this, QStringLiteral("하시고 근무 버튼을 누르면 설정이 완료 됩니다"), {12, 75})),
      Label4(NewText(this, QStringLiteral("근무를 안하시는 경우는 휴무 버튼을 누르시면  됩니다."),
                     {12, 94})),
      Label5(NewText(this,
                     QStringLiteral("나중 알림 버튼을 누르실 경우  다음날에 알림창이 보여집니다"),
                     {12, 113})),
      lb_holmsg2(NewText(this, QStringLiteral("(7 일전)"), {20, 138})),
      lb_holmsg1(NewText(this, QStringLiteral("석가탄신일:"), {20, 156}, NamePixelSize)),
      cmb_holiday1(NewTimeList(this, StartTimeLabels(), QRect(131, 152, 66, ListHeight))),
      cmb_holiday2(NewTimeList(this, EndTimeLabels(), QRect(200, 152, 125, ListHeight))),
      Label6(NewText(this, QStringLiteral("법정공휴일 설정은 법정공휴일 등록창에서도 가능합니다."),
                     {12, 187})),
      btn_holmsg1(NewReminderButton(this, ReminderButton::Work)),
      btn_holmsg2(NewReminderButton(this, ReminderButton::Closed)),
      btn_holmsg3(NewReminderButton(this, ReminderButton::Later)),
      Image2(btn_holmsg1->PressedPicture()), Image4(btn_holmsg2->PressedPicture()),
      Image6(btn_holmsg3->PressedPicture()), Edit_holiday1(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("초록우체통"));
    setFixedSize(ReminderSize);

    holmsg_img1->setGeometry(rect());
    holmsg_img1->setPixmap(QPixmap::fromImage(ReminderBackground(ReminderBanner::LegalHoliday)));
    holmsg_img1->lower();
    Label6->setStyleSheet(QStringLiteral("color: red;"));
    lb_holmsg1->setTextFormat(Qt::PlainText);
    lb_holmsg1->setWordWrap(true);
    lb_holmsg1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lb_holmsg1->setGeometry(NameBox);
    Edit_holiday1->hide();

    for (PictureButton* button : {btn_holmsg1, btn_holmsg2, btn_holmsg3})
        connect(button, &PictureButton::Clicked, this,
                [this, button] { btn_holmsg1Click(button); });
    connect(&WebBrowser1, &WebBrowser::DocumentComplete, this,
            &LegalHolidayReminder::WebBrowser1DocumentComplete);
}

void LegalHolidayReminder::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void LegalHolidayReminder::FormShow()
{
    const QDate holiday = QDate::fromString(UpcomingHolidayDay, QStringLiteral("yyyy-MM-dd"));
    ShowName(lb_holmsg1, UpcomingHolidayName);
    Edit_holiday1->setText(UpcomingHolidayDay);
    lb_holmsg2->setText(holiday.isValid()
                            ? QStringLiteral("( %1일전 )").arg(QDate::currentDate().daysTo(holiday))
                            : QString());
    lb_holmsg2->adjustSize();
}

void LegalHolidayReminder::btn_holmsg1Click(PictureButton* sender)
{
    if (awaitingReport_)
        return;
    if (sender == btn_holmsg1) {
        StoreAnswer(UpcomingHolidayDay);
        ReportWorkingDay();
        return;
    }
    StoreAnswer(sender == btn_holmsg2 ? UpcomingHolidayDay : QString());
    accept();
}

// Notes the working day in "법정공휴일" and posts it; the reminder waits for the answer.
void LegalHolidayReminder::ReportWorkingDay()
{
    const QString settings = SettingsFile();
    const QString license =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense, {});
    const QString start = cmb_holiday1->currentText();
    const QString end = cmb_holiday2->currentText();
    const QString day = Edit_holiday1->text();
    const QString& name = UpcomingHolidayName;
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayCheckSuffix,
                   QStringLiteral("1"));
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayStartSuffix,
                   start);
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayEndSuffix,
                   end);
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayDateSuffix,
                   day);

    const QString body = QStringLiteral("P_Gubun = 1&P_PALICENSE =") + FormValue(Trimmed(license)) +
                         QStringLiteral("&P_TIME_S1   =") + FormValue(Trimmed(start)) +
                         QStringLiteral("&P_TIME_E1   =") +
                         FormValue(NextDayLabelToTime(Trimmed(end))) +
                         QStringLiteral("&P_TIME_D1   =") + FormValue(Trimmed(day));
    awaitingReport_ = true;
    for (PictureButton* button : {btn_holmsg1, btn_holmsg2, btn_holmsg3})
        button->setEnabled(false);
    PostPage(WebBrowser1, QStringLiteral("hdaycheck.asp"), body);
}

void LegalHolidayReminder::WebBrowser1DocumentComplete(const QString& url)
{
    if (url.isEmpty() || !awaitingReport_)
        return;
    awaitingReport_ = false;
    if (!IsServerErrorPage(PageText(WebBrowser1))) {
        ShowMessage({QStringLiteral("법정 공휴일 데이터가 저장되었습니다"), QString(),
                     MessageIcon::Information});
    }
    accept();
}

// While the report is under way the reminder stays: closing it would cut the request off.
void LegalHolidayReminder::done(int result)
{
    if (awaitingReport_)
        return;
    QDialog::done(result);
}

void LegalHolidayReminder::closeEvent(QCloseEvent* event)
{
    if (awaitingReport_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
