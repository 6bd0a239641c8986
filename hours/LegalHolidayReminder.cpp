#include "hours/LegalHolidayReminder.h"

#include "core/program/MessageBox.h"
#include "core/program/PictureButton.h"
#include "core/program/ProgramValues.h"
#include "core/program/TimeSlots.h"
#include "core/program/Trimmed.h"
#include "core/program/WindowFonts.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/ServerErrorPage.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "hours/ReminderAnswer.h"
#include "hours/ReminderButtons.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFontMetrics>
#include <QLabel>

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

QLabel* NewText(QWidget* parent, const QString& name, const QString& text, QPoint at,
                int pixelSize = TextPixelSize)
{
    QLabel* label = NewText(parent, text, at, pixelSize);
    label->setObjectName(name);
    return label;
}

// WORKAROUND: 근무 reports the hours these lists show, and nothing enables them: they show
// "00:00" throughout, so the report and the notes in "법정공휴일" always carry 00:00 to 00:00. They
// stay because the pharmacist sees them in the reminder, and "hdaycheck.asp" stores the times it
// is sent.
QComboBox* NewTimeList(QWidget* parent, const QString& name, const QStringList& items, QRect place)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
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

} // namespace

LegalHolidayReminder::LegalHolidayReminder(const HolidayRow& holiday, QWidget* parent)
    : QDialog(parent), holiday_(holiday),
      report_(new WebBrowser(QStringLiteral("workingDayReport"), this))
{
    setWindowTitle(QStringLiteral("초록우체통"));
    setFixedSize(ReminderSize);

    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("background"));
    background->setGeometry(rect());
    background->setPixmap(QPixmap::fromImage(ReminderBackground(ReminderBanner::LegalHoliday)));
    background->lower();

    NewText(this, QStringLiteral("해당 법정 공휴일에 근무를 하신다면 약국 근무 시간을 입력"),
            {12, 56});
    NewText(this, QStringLiteral("하시고 근무 버튼을 누르면 설정이 완료 됩니다"), {12, 75});
    NewText(this, QStringLiteral("근무를 안하시는 경우는 휴무 버튼을 누르시면  됩니다."), {12, 94});
    NewText(this, QStringLiteral("나중 알림 버튼을 누르실 경우  다음날에 알림창이 보여집니다"),
            {12, 113});
    countdown_ = NewText(this, QStringLiteral("countdown"), QStringLiteral("(7 일전)"), {20, 138});
    holidayName_ = NewText(this, QStringLiteral("holidayName"), QStringLiteral("석가탄신일:"),
                           {20, 156}, NamePixelSize);
    holidayName_->setTextFormat(Qt::PlainText);
    holidayName_->setWordWrap(true);
    holidayName_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    holidayName_->setGeometry(NameBox);
    workStart_ = NewTimeList(this, QStringLiteral("workStart"), StartTimeLabels(),
                             QRect(131, 152, 66, ListHeight));
    workEnd_ = NewTimeList(this, QStringLiteral("workEnd"), EndTimeLabels(),
                           QRect(200, 152, 125, ListHeight));
    NewText(this, QStringLiteral("legalHolidayWindowNote"),
            QStringLiteral("법정공휴일 설정은 법정공휴일 등록창에서도 가능합니다."), {12, 187})
        ->setStyleSheet(QStringLiteral("color: red;"));

    const std::array answers = {ReminderButton::Work, ReminderButton::Closed,
                                ReminderButton::Later};
    for (std::size_t i = 0; i < answers.size(); ++i) {
        buttons_[i] = NewReminderButton(this, answers[i]);
        connect(buttons_[i], &PictureButton::Clicked, this,
                [this, answer = answers[i]] { Answer(answer); });
    }
    connect(report_, &WebBrowser::DocumentComplete, this, &LegalHolidayReminder::ReportAnswered);
}

// The holiday's name and the days left until it, each time the reminder is shown.
void LegalHolidayReminder::showEvent(QShowEvent* event)
{
    const QDate holiday = QDate::fromString(holiday_.day, QStringLiteral("yyyy-MM-dd"));
    ShowName(holidayName_, holiday_.name);
    countdown_->setText(holiday.isValid()
                            ? QStringLiteral("( %1일전 )").arg(QDate::currentDate().daysTo(holiday))
                            : QString());
    countdown_->adjustSize();
    QDialog::showEvent(event);
}

// Stores the answer and closes; 근무 first reports the day and closes once it is answered.
void LegalHolidayReminder::Answer(ReminderButton answer)
{
    if (awaitingReport_)
        return;
    StoreReminderAnswer(answer, holiday_.day);
    if (answer == ReminderButton::Work)
        ReportWorkingDay();
    else
        accept();
}

// Notes the working day in "법정공휴일" and posts it; the reminder waits for the answer.
void LegalHolidayReminder::ReportWorkingDay()
{
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    const QString license =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense, {});
    const QString start = workStart_->currentText();
    const QString end = workEnd_->currentText();
    const QString& name = holiday_.name;
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayCheckSuffix,
                   QStringLiteral("1"));
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayStartSuffix,
                   start);
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayEndSuffix,
                   end);
    WriteIniString(settings, SettingsKeys::LegalHoliday, name + SettingsKeys::HolidayDateSuffix,
                   holiday_.day);

    const QString body = QStringLiteral("P_Gubun = 1&P_PALICENSE =") + FormValue(Trimmed(license)) +
                         QStringLiteral("&P_TIME_S1   =") + FormValue(Trimmed(start)) +
                         QStringLiteral("&P_TIME_E1   =") +
                         FormValue(NextDayLabelToTime(Trimmed(end))) +
                         QStringLiteral("&P_TIME_D1   =") + FormValue(Trimmed(holiday_.day));
    awaitingReport_ = true;
    for (PictureButton* button : buttons_)
        button->setEnabled(false);
    PostPage(*report_, QStringLiteral("hdaycheck.asp"), body);
}

// The saved message unless the answer is an error page; then the reminder closes.
void LegalHolidayReminder::ReportAnswered(const QString& url)
{
    if (url.isEmpty() || !awaitingReport_)
        return;
    awaitingReport_ = false;
    if (!IsServerErrorPage(PageText(*report_))) {
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
