#include "hours/WeeklyHoursWindow.h"

#include "core/program/MessageBox.h"
#include "core/program/PictureButton.h"
#include "core/program/ProgramValues.h"
#include "core/program/TimeSlots.h"
#include "core/program/Trimmed.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "hours/SpecificSundays.h"
#include "hours/WeeklyAnswer.h"
#include "hours/WeeklyBodies.h"
#include "resources/WeeklyHoursPictures.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {

constexpr int OperationRecord = 13;

void SelectItems(const WeeklyHoursRow& row, int startItem, int endItem)
{
    row.start->setCurrentIndex(startItem);
    row.end->setCurrentIndex(endItem);
}

// Ticks the box and selects the items, or clears the box and selects item 0 of both lists when
// startItem is -1.
void SetRow(const WeeklyHoursRow& row, int startItem, int endItem)
{
    row.working->setChecked(startItem >= 0);
    SelectItems(row, std::max(startItem, 0), std::max(endItem, 0));
}

WeeklyTimeRow TimeRow(const WeeklyHoursRow& row)
{
    return {row.working->isChecked(), row.start->currentText(), row.end->currentText()};
}

} // namespace

WeeklyHoursWindow::WeeklyHoursWindow(QWidget* parent)
    : QDialog(parent), ui_(this), sundays_(new SpecificSundays(ui_.sundays, this)),
      hoursRequests_(new WebBrowser(QStringLiteral("weeklyHoursRequests"), this))
{
    setWindowTitle(QStringLiteral("초록우체통 정상 근무시간"));
    setFixedSize(WeeklyHoursClientSize);
    for (const WeeklyHoursRow* row : ui_.Rows()) {
        // The lists and labels of a row follow its box, ticked by the user or by an answer.
        connect(row->working, &QCheckBox::toggled, this, [row](bool working) {
            for (QWidget* part :
                 std::initializer_list<QWidget*>{row->start, row->end, row->from, row->to})
                part->setEnabled(working);
        });
        // A start picked by the user moves the end to the next half hour; one set by the
        // program does not. The night duty's day list has no end to move.
        if (row != &ui_.nightDuty)
            connect(row->start, &QComboBox::activated, this,
                    [row] { row->end->setCurrentIndex(row->start->currentIndex() + 1); });
    }
    connect(ui_.save, &PictureButton::Clicked, this, &WeeklyHoursWindow::Save);
    connect(ui_.reenter, &PictureButton::Clicked, this, &WeeklyHoursWindow::Reenter);
    connect(ui_.close, &PictureButton::Clicked, this, &QDialog::close);
    connect(hoursRequests_, &WebBrowser::DocumentComplete, this, &WeeklyHoursWindow::PageCompleted);
}

// Each time the window becomes visible; not when it only comes to the front. The background is
// drawn at the first showing, not before: the program mostly lives in the tray.
void WeeklyHoursWindow::showEvent(QShowEvent* event)
{
    if (ui_.background->pixmap().isNull())
        ui_.background->setPixmap(QPixmap::fromImage(WeeklyHoursBackground()));
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FetchHours();
}

// The window closes by its close bar, its frame or a save only; Escape does not close it.
void WeeklyHoursWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Reads the identity and asks for the registered hours, then for the specific Sundays: both
// requests are under way at once.
void WeeklyHoursWindow::FetchHours()
{
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    license_ =
        ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense, license_);
    checkComputer_ = ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::CheckComputer,
                                   checkComputer_);
    exchange_.FetchSent();
    PostPage(*hoursRequests_, WeeklyHoursPage, WeeklyFetchBody(license_, checkComputer_));
    sundays_->Fetch(license_);
}

// Nothing goes out before the fetch's answer has filled the rows: they would be sent as not
// working.
void WeeklyHoursWindow::Save()
{
    if (!exchange_.SaveMayGo())
        return;
    PostPage(*hoursRequests_, WeeklyHoursPage,
             WeeklySaveBody(license_, checkComputer_, RowsToSave()));
}

WeeklySave WeeklyHoursWindow::RowsToSave() const
{
    WeeklySave save;
    save.weekdays = TimeRow(ui_.weekdays);
    save.saturday = TimeRow(ui_.saturday);
    save.everySunday = TimeRow(ui_.everySunday);
    save.nightDuty = ui_.nightDuty.working->isChecked();
    save.nightDayItem = ui_.nightDuty.start->currentIndex();
    save.nightEnd = ui_.nightDuty.end->currentText();
    for (std::size_t week = 0; week < ui_.weeks.size(); ++week)
        save.weeks[week] = TimeRow(ui_.weeks[week]);
    for (int operation = 0; operation < 4 && save.operation < 0; ++operation) {
        if (ui_.operations[operation]->isChecked())
            save.operation = operation;
    }
    return save;
}

// Typical hours in the lists; the ticks stay as they are and nothing is sent.
void WeeklyHoursWindow::Reenter()
{
    SelectItems(ui_.weekdays, 18, 38);    // 09:00 to 19:00
    SelectItems(ui_.saturday, 18, 26);    // 09:00 to 13:00
    SelectItems(ui_.everySunday, 20, 36); // 10:00 to 18:00
    SelectItems(ui_.nightDuty, 0, 42);    // 월요일 until 21:00
    for (const WeeklyHoursRow& week : ui_.weeks)
        SelectItems(week, 0, 0);
    for (const WeeklyHoursRow* row : ui_.Rows())
        row->working->setEnabled(true);
}

void WeeklyHoursWindow::PageCompleted(const QString& url)
{
    AnswerArrived(exchange_.LastRequest(), url, PageText(*hoursRequests_));
}

void WeeklyHoursWindow::AnswerArrived(HoursRequest answered, const QString& url,
                                      const QString& text)
{
    const bool saved = exchange_.AnswerArrived(
        answered, url, text, [this](const QString& page) { return FillRows(page); },
        {.text = QStringLiteral("정상근무시간 데이터가 저장되었습니다"),
         .caption = QStringLiteral("초록우체통"),
         .icon = MessageIcon::None,
         .buttons = MessageButtons::Ok});
    if (!saved)
        return;
    close();
    emit LegalHolidayHoursRequested();
}

// A record that cannot be read stops the filling there; the rows filled before it keep their
// new state.
std::optional<QString> WeeklyHoursWindow::FillRows(const QString& text)
{
    WeeklyAnswer answer(text);
    bool filled = FillTimeRow(answer, ui_.weekdays, 0) && FillNightDuty(answer) &&
                  FillTimeRow(answer, ui_.saturday, 4) && FillTimeRow(answer, ui_.everySunday, 6);
    for (int week = 0; filled && week < std::ssize(ui_.weeks); ++week)
        filled = FillWeekRow(answer, ui_.weeks[week], 8 + week);
    if (filled && FillOperation(answer))
        return std::nullopt;
    return QStringLiteral("서비스에서 받은 정상근무시간을 읽을 수 없습니다.\r\n") + answer.Error();
}

// Start and end from the test record and the one after it.
bool WeeklyHoursWindow::FillTimeRow(WeeklyAnswer& answer, const WeeklyHoursRow& row, int testRecord)
{
    const std::optional<QString> start = answer.Record(testRecord);
    if (!start)
        return false;
    if (!WeeklyAnswer::IsWorking(*start)) {
        SetRow(row, -1, 0);
        return true;
    }
    const std::optional<QString> end = answer.Record(testRecord + 1);
    if (!end)
        return false;
    const std::optional<int> startItem = answer.TimeItem(*start, StartSlotCount);
    const std::optional<int> endItem = startItem ? answer.TimeItem(*end, SlotCount) : std::nullopt;
    if (!endItem)
        return false;
    SetRow(row, *startItem, *endItem);
    return true;
}

// The closing time in record 3 is tested; record 2 holds the day.
bool WeeklyHoursWindow::FillNightDuty(WeeklyAnswer& answer)
{
    const std::optional<QString> end = answer.Record(3);
    if (!end)
        return false;
    if (!WeeklyAnswer::IsWorking(*end)) {
        SetRow(ui_.nightDuty, -1, 0);
        return true;
    }
    const std::optional<QString> day = answer.Record(2);
    if (!day)
        return false;
    const std::optional<int> dayItem = answer.DayItem(*day);
    const std::optional<int> endItem = dayItem ? answer.TimeItem(*end, SlotCount) : std::nullopt;
    if (!endItem)
        return false;
    SetRow(ui_.nightDuty, *dayItem, *endItem);
    return true;
}

// A week's record: start in characters 1-5, end in characters 7-11, counted before trimming.
bool WeeklyHoursWindow::FillWeekRow(WeeklyAnswer& answer, const WeeklyHoursRow& row, int record)
{
    const std::optional<QString> week = answer.Record(record);
    if (!week)
        return false;
    if (!WeeklyAnswer::IsWorking(*week)) {
        SetRow(row, -1, 0);
        return true;
    }
    const std::optional<int> startItem = answer.TimeItem(week->mid(0, 5), StartSlotCount);
    const std::optional<int> endItem =
        startItem ? answer.TimeItem(week->mid(6, 5), SlotCount) : std::nullopt;
    if (!endItem)
        return false;
    SetRow(row, *startItem, *endItem);
    return true;
}

// "0" to "3" select the operation type; any other value leaves it as it is.
bool WeeklyHoursWindow::FillOperation(WeeklyAnswer& answer)
{
    const std::optional<QString> record = answer.Record(OperationRecord);
    if (!record)
        return false;
    const QString operation = Trimmed(*record);
    for (int value = 0; value < 4; ++value) {
        if (operation == QString::number(value))
            ui_.operations[value]->setChecked(true);
    }
    return true;
}
