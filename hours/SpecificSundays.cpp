#include "MessageBox.h"
#include "Quillane_Define.h"
#include "ServerErrorPage.h"
#include "SplitFields.h"
#include "TimeSlots.h"
#include "WeeklyBodies.h"
#include "WeeklyHoursWindow.h"

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

void Refuse(const QString& text)
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

void WeeklyHoursWindow::SendSundayRequest(const QString& select, const QString& license,
                                          const QString& day, const QString& start,
                                          const QString& end)
{
    PostPage(WebBrowser2, QStringLiteral("SunDay.asp"),
             SundayBody(select, license, day, start, end));
}

// 저장 sends the date with the shown times, the end as its list shows it; 삭제 sends the selected
// item's date.
void WeeklyHoursWindow::Button1Click()
{
    if (sender() == Button1) {
        SaveSunday();
        return;
    }
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (ListBox1->count() == 0 || selected.isEmpty())
        return;
    SendSundayRequest(QStringLiteral("3"), LicenseNo,
                      selected.first()->text().mid(DayAt, DayLength), {}, {});
}

// Only a Sunday with an end that differs from its start is sent.
void WeeklyHoursWindow::SaveSunday()
{
    const QDate day = DateTimePicker1->date();
    if (day.dayOfWeek() != Qt::Sunday) {
        Refuse(QStringLiteral("일요일 날짜만 저장할 수 있습니다"));
        return;
    }
    if (ComboBox2->currentIndex() < 0) {
        Refuse(QStringLiteral("근무종료 시간을 선택해 주십시오"));
        return;
    }
    if (ComboBox1->currentIndex() == ComboBox2->currentIndex()) {
        Refuse(QStringLiteral("근무시작과 근무종료 시간이 같습니다"));
        return;
    }
    SendSundayRequest(QStringLiteral("2"), LicenseNo, DayText(day), ComboBox1->currentText(),
                      ComboBox2->currentText());
}

// The item's date and times back into the date box and the lists; an item whose date cannot be
// read changes nothing.
void WeeklyHoursWindow::ListBox1Click()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const QString item = selected.first()->text();
    const QString dayText = item.mid(DayAt, DayLength);
    const QDate day = QDate::fromString(dayText, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid()) {
        ShowMessage({.text = QStringLiteral("'%1'은(는) 올바른 날짜가 아닙니다.").arg(dayText),
                     .caption = QStringLiteral("경고"),
                     .icon = MessageIcon::Error,
                     .buttons = MessageButtons::Ok});
        return;
    }
    DateTimePicker1->setDate(day);
    ComboBox1->setCurrentIndex(TimeItem(*ComboBox1, item.mid(StartAt, TimeLength)));
    ComboBox2->setCurrentIndex(TimeItem(*ComboBox2, item.mid(EndAt, TimeLength)));
}

void WeeklyHoursWindow::WebBrowser2DocumentComplete(const QString& url)
{
    SundayAnswerArrived(url, PageText(WebBrowser2));
}

// Every answer is the whole list: one item per record of date, start and end. The date box goes
// back to the next Sunday.
void WeeklyHoursWindow::SundayAnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    ListBox1->clear();
    if (IsServerErrorPage(text))
        return;
    QStringList records;
    SplitFields(CharSetOf(u"]"), CharSet(), text, &records);
    for (const QString& record : records) {
        const QString day = Trimmed(record);
        if (day.isEmpty())
            continue;
        ListBox1->addItem(QStringLiteral("근무일자 :") + day.mid(0, 10) +
                          QStringLiteral(" 근무시작 :") + day.mid(10, 5) +
                          QStringLiteral(" 근무종료 :") + day.mid(15, 5));
    }
    DateTimePicker1->setDate(NextSunday());
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(0);
}
