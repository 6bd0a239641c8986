#include "hours/SpecificSundays.h"

#include "core/program/MessageBox.h"
#include "core/program/TimeSlots.h"
#include "core/program/Trimmed.h"
#include "core/requests/ServerErrorPage.h"
#include "core/requests/SplitFields.h"
#include "core/requests/WebBrowser.h"
#include "hours/WeeklyBodies.h"

#include <QGuiApplication>

namespace {

// Where an item of the list holds its parts (0-based start, length).
constexpr qsizetype DayAt = 6;
constexpr qsizetype DayLength = 10;
constexpr qsizetype StartAt = 23;
constexpr qsizetype EndAt = 35;
constexpr qsizetype TimeLength = 5;

QString DayText(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

// The item of a time the service writes: a grid time by its slot, so that "25:00" finds
// "익일 1시"; any other text by the item's own text; -1 when no item has it.
int TimeItem(const QComboBox& list, const QString& time)
{
    const QString code = TimeToSlotCode(time);
    if (code == time)
        return list.findText(time);
    const int slot = code.toInt();
    return slot < list.count() ? slot : -1;
}

void Warn(const QString& text)
{
    ShowMessage({.text = text,
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
}

} // namespace

QDate NextSunday()
{
    const QDate today = QDate::currentDate();
    return today.addDays(Qt::Sunday - today.dayOfWeek());
}

SpecificSundays::SpecificSundays(const SpecificSundaysControls& controls, QObject* parent)
    : QObject(parent), ui_(controls),
      requests_(new WebBrowser(QStringLiteral("sundayRequests"), this))
{
    setObjectName(QStringLiteral("specificSundays"));
    // A start picked by the user moves the end to the next half hour; one set by the program
    // does not.
    connect(ui_.start, &QComboBox::activated, this,
            [this] { ui_.end->setCurrentIndex(ui_.start->currentIndex() + 1); });
    connect(ui_.save, &QPushButton::clicked, this, &SpecificSundays::SaveSunday);
    connect(ui_.remove, &QPushButton::clicked, this, &SpecificSundays::DeleteSunday);
    connect(ui_.dates, &QListWidget::itemClicked, this, &SpecificSundays::ReadItemBack);
    // An item chosen with the keys loads as a click does; a click loads on its release.
    connect(ui_.dates, &QListWidget::currentRowChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            ReadItemBack();
    });
    connect(requests_, &WebBrowser::DocumentComplete, this, &SpecificSundays::PageCompleted);
}

void SpecificSundays::Fetch(const QString& license)
{
    ui_.date->setDate(NextSunday());
    license_ = license;
    PostPage(*requests_, SundayPage, SundayBody(SundayRequest::Fetch, license_, {}, {}, {}));
}

// 저장 sends the date with the shown times, the end as its list shows it. Only a Sunday with an
// end that differs from its start is sent.
void SpecificSundays::SaveSunday()
{
    const QDate day = ui_.date->date();
    if (day.dayOfWeek() != Qt::Sunday) {
        Warn(QStringLiteral("일요일 날짜만 저장할 수 있습니다"));
        return;
    }
    if (ui_.end->currentIndex() < 0) {
        Warn(QStringLiteral("근무종료 시간을 선택해 주십시오"));
        return;
    }
    if (ui_.start->currentIndex() == ui_.end->currentIndex()) {
        Warn(QStringLiteral("근무시작과 근무종료 시간이 같습니다"));
        return;
    }
    PostPage(*requests_, SundayPage,
             SundayBody(SundayRequest::Save, license_, DayText(day), ui_.start->currentText(),
                        ui_.end->currentText()));
}

// 삭제 sends the selected item's date; nothing without one.
void SpecificSundays::DeleteSunday()
{
    const QList<QListWidgetItem*> selected = ui_.dates->selectedItems();
    if (ui_.dates->count() == 0 || selected.isEmpty())
        return;
    PostPage(*requests_, SundayPage,
             SundayBody(SundayRequest::Delete, license_,
                        selected.first()->text().mid(DayAt, DayLength), {}, {}));
}

// The selected item's date and times back into the date box and the lists; an item whose date
// cannot be read changes nothing.
void SpecificSundays::ReadItemBack()
{
    const QList<QListWidgetItem*> selected = ui_.dates->selectedItems();
    if (selected.isEmpty())
        return;
    const QString item = selected.first()->text();
    const QString dayText = item.mid(DayAt, DayLength);
    const QDate day = QDate::fromString(dayText, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid()) {
        Warn(QStringLiteral("'%1'은(는) 올바른 날짜가 아닙니다.").arg(dayText));
        return;
    }
    ui_.date->setDate(day);
    ui_.start->setCurrentIndex(TimeItem(*ui_.start, item.mid(StartAt, TimeLength)));
    ui_.end->setCurrentIndex(TimeItem(*ui_.end, item.mid(EndAt, TimeLength)));
}

void SpecificSundays::PageCompleted(const QString& url)
{
    AnswerArrived(url, PageText(*requests_));
}

// Every answer is the whole list: one item per record of date, start and end. The date box goes
// back to the next Sunday and both lists to "00:00"; an error page leaves the list empty and
// the rest as it is.
void SpecificSundays::AnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    ui_.dates->clear();
    if (IsServerErrorPage(text))
        return;
    QStringList records;
    SplitFields(CharSetOf(u"]"), CharSet(), text, &records);
    for (const QString& record : records) {
        const QString day = Trimmed(record);
        if (day.isEmpty())
            continue;
        ui_.dates->addItem(QStringLiteral("근무일자 :") + day.mid(0, 10) +
                           QStringLiteral(" 근무시작 :") + day.mid(10, 5) +
                           QStringLiteral(" 근무종료 :") + day.mid(15, 5));
    }
    ui_.date->setDate(NextSunday());
    ui_.start->setCurrentIndex(0);
    ui_.end->setCurrentIndex(0);
}
