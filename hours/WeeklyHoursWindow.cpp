#include "WeeklyHoursWindow.h"

#include "DataWindow.h"
#include "LegalHolidayWindow.h"
#include "MessageBox.h"
#include "PictureButton.h"
#include "Quillane_Define.h"
#include "ServerErrorPage.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "TimeSlots.h"
#include "WeeklyAnswer.h"
#include "WeeklyBodies.h"
#include "WeeklyHoursPictures.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QShowEvent>

namespace {

constexpr int ClientWidth = 500;
constexpr int ClientHeight = 600;
constexpr int WeekdaysRow = 0;
constexpr int NightDutyRow = 1;
constexpr int SaturdayRow = 2;
constexpr int EverySundayRow = 3;
constexpr int FirstWeekRow = 4;
constexpr int WeekCount = 5;
constexpr int OperationRecord = 13;

struct TypicalHours
{
    QComboBox* WeeklyHoursWindow::*list;
    int item;
};

// What the re-entry button puts into the lists.
constexpr TypicalHours Typical[] = {
    {&WeeklyHoursWindow::cmb_normal1, 18}, {&WeeklyHoursWindow::cmb_normal2, 38},
    {&WeeklyHoursWindow::cmb_normal3, 18}, {&WeeklyHoursWindow::cmb_normal4, 26},
    {&WeeklyHoursWindow::cmb_normal5, 20}, {&WeeklyHoursWindow::cmb_normal6, 36},
    {&WeeklyHoursWindow::Cmb_normal7, 42}, {&WeeklyHoursWindow::Cmb_normal8, 0},
    {&WeeklyHoursWindow::cmb_normal9, 0},  {&WeeklyHoursWindow::cmb_normal10, 0},
    {&WeeklyHoursWindow::cmb_normal11, 0}, {&WeeklyHoursWindow::cmb_normal12, 0},
    {&WeeklyHoursWindow::cmb_normal13, 0}, {&WeeklyHoursWindow::cmb_normal14, 0},
    {&WeeklyHoursWindow::cmb_normal15, 0}, {&WeeklyHoursWindow::cmb_normal16, 0},
    {&WeeklyHoursWindow::cmb_normal17, 0}, {&WeeklyHoursWindow::cmb_normal18, 0},
};

WeeklyTimeRow TimeRow(QCheckBox* box, QComboBox* start, QComboBox* end)
{
    return {box->isChecked(), start->currentText(), end->currentText()};
}

// Ticks the box and selects the items, or clears the box and selects item 0 of both lists when
// startItem is -1.
void SetRow(QCheckBox* box, QComboBox* start, int startItem, QComboBox* end, int endItem)
{
    box->setChecked(startItem >= 0);
    start->setCurrentIndex(std::max(startItem, 0));
    end->setCurrentIndex(std::max(endItem, 0));
}

} // namespace

WeeklyHoursWindow::WeeklyHoursWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 정상 근무시간"));
    setFixedSize(ClientWidth, ClientHeight);
    Layout();

    for (const Row& row : Rows())
        connect(row.box, &QCheckBox::toggled, this, &WeeklyHoursWindow::chk_normal1Click);
    for (QComboBox* start : {cmb_normal1, cmb_normal3, cmb_normal5, cmb_normal9, cmb_normal11,
                             cmb_normal13, cmb_normal15, cmb_normal17, ComboBox1})
        connect(start, &QComboBox::activated, this, &WeeklyHoursWindow::cmb_normal1Click);
    connect(&WebBrowser1, &WebBrowser::DocumentComplete, this,
            &WeeklyHoursWindow::WebBrowser1DocumentComplete);
    connect(&WebBrowser2, &WebBrowser::DocumentComplete, this,
            &WeeklyHoursWindow::WebBrowser2DocumentComplete);
    connect(Button1, &QPushButton::clicked, this, &WeeklyHoursWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &WeeklyHoursWindow::Button1Click);
    connect(ListBox1, &QListWidget::itemClicked, this, &WeeklyHoursWindow::ListBox1Click);
    // An item chosen with the keys loads as a click does; a click loads on its release.
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            ListBox1Click();
    });
}

WeeklyHoursWindow::~WeeklyHoursWindow() = default;

// Each time the window becomes visible; not when it only comes to the front.
void WeeklyHoursWindow::showEvent(QShowEvent* event)
{
    if (normal_img1->pixmap().isNull())
        normal_img1->setPixmap(QPixmap::fromImage(WeeklyHoursBackground()));
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
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

void WeeklyHoursWindow::FormShow()
{
    RequestMode.clear();
    DateTimePicker1->setDate(NextSunday());
    const QString settings = ProgramFolder + SettingsKeys::FileName;
    LicenseNo = ReadIniString(settings, SettingsKeys::BasicInfo, SettingsKeys::PharmacistLicense,
                              LicenseNo);
    CheckComputerName = ReadIniString(settings, SettingsKeys::BasicInfo,
                                      SettingsKeys::CheckComputer, CheckComputerName);
    RequestMode = QStringLiteral("1");
    fetch_ = FetchState::Pending;
    RequestBody = WeeklyFetchBody(LicenseNo, CheckComputerName);
    SendRequest(RequestBody);
    SendSundayRequest(QStringLiteral("1"), LicenseNo, {}, {}, {});
}

void WeeklyHoursWindow::SendRequest(const QString& body)
{
    PostPage(WebBrowser1, QStringLiteral("normal3.asp"), body);
}

void WeeklyHoursWindow::btn_normal1Click()
{
    const QObject* button = sender();
    if (button == btn_normal1)
        Save();
    else if (button == btn_normal2)
        Reenter();
    else if (button == btn_normal3)
        close();
}

// Nothing goes out before the fetch's answer has filled the rows: they would be sent as not
// working.
void WeeklyHoursWindow::Save()
{
    if (fetch_ == FetchState::Pending)
        return;
    if (fetch_ == FetchState::Failed) {
        WarnFetchFailed();
        return;
    }
    RequestMode = QStringLiteral("2");
    RequestBody = WeeklySaveBody(LicenseNo, CheckComputerName, RowsToSave());
    SendRequest(RequestBody);
}

WeeklySave WeeklyHoursWindow::RowsToSave() const
{
    WeeklySave save;
    save.weekdays = TimeRow(chk_normal1, cmb_normal1, cmb_normal2);
    save.saturday = TimeRow(chk_normal3, cmb_normal3, cmb_normal4);
    save.everySunday = TimeRow(chk_normal4, cmb_normal5, cmb_normal6);
    save.nightDuty = chk_normal2->isChecked();
    save.nightDayItem = Cmb_normal8->currentIndex();
    save.nightEnd = Cmb_normal7->currentText();
    const std::array<Row, 9> rows = Rows();
    for (int week = 0; week < WeekCount; ++week) {
        const Row& row = rows[FirstWeekRow + week];
        save.weeks[week] = TimeRow(row.box, row.start, row.end);
    }
    const std::array<QRadioButton*, 4> operations = {rad_normal1, rad_normal2, rad_normal3,
                                                     rad_normal4};
    for (int operation = 0; operation < 4 && save.operation < 0; ++operation) {
        if (operations[operation]->isChecked())
            save.operation = operation;
    }
    return save;
}

// Typical hours in the lists; the ticks stay as they are and nothing is sent.
void WeeklyHoursWindow::Reenter()
{
    for (const TypicalHours& typical : Typical)
        (this->*typical.list)->setCurrentIndex(typical.item);
    for (const Row& row : Rows())
        row.box->setEnabled(true);
}

void WeeklyHoursWindow::chk_normal1Click()
{
    for (const Row& row : Rows()) {
        if (row.box != sender())
            continue;
        const bool working = row.box->isChecked();
        for (QWidget* part : std::initializer_list<QWidget*>{row.start, row.end, row.from, row.to})
            part->setEnabled(working);
    }
}

void WeeklyHoursWindow::cmb_normal1Click()
{
    for (const Row& row : Rows()) {
        if (row.start == sender())
            row.end->setCurrentIndex(row.start->currentIndex() + 1);
    }
    if (sender() == ComboBox1)
        ComboBox2->setCurrentIndex(ComboBox1->currentIndex() + 1);
}

void WeeklyHoursWindow::WebBrowser1DocumentComplete(const QString& url)
{
    WeeklyAnswerArrived(url, PageText(WebBrowser1));
}

// The answer to the fetch and to the save alike fills the rows; the save's answer then says so,
// hides the window and opens the legal-holiday window. A record that cannot be read stops the
// filling there, with one message; the rows filled before it keep their new state. An error page
// changes nothing; one in answer to the fetch is reported, as the rows then hold no registration.
void WeeklyHoursWindow::WeeklyAnswerArrived(const QString& url, const QString& text)
{
    if (url.isEmpty())
        return;
    if (IsServerErrorPage(text)) {
        if (RequestMode == QStringLiteral("1")) {
            fetch_ = FetchState::Failed;
            WarnFetchFailed();
        }
        return;
    }
    WeeklyAnswer answer(text);
    if (!FillRows(answer)) {
        fetch_ = FetchState::Failed;
        ShowMessage(
            {.text = QStringLiteral("서비스에서 받은 정상근무시간을 읽을 수 없습니다.\r\n") +
                     answer.Error(),
             .caption = QStringLiteral("경고"),
             .icon = MessageIcon::Error,
             .buttons = MessageButtons::Ok});
        return;
    }
    fetch_ = FetchState::Applied;
    if (RequestMode != QStringLiteral("2"))
        return;
    ShowMessage({.text = QStringLiteral("정상근무시간 데이터가 저장되었습니다"),
                 .caption = QStringLiteral("초록우체통"),
                 .icon = MessageIcon::None,
                 .buttons = MessageButtons::Ok});
    close();
    OpenHolidayWindow();
}

bool WeeklyHoursWindow::FillRows(WeeklyAnswer& answer)
{
    const std::array<Row, 9> rows = Rows();
    if (!FillTimeRow(answer, rows[WeekdaysRow], 0) || !FillNightDuty(answer) ||
        !FillTimeRow(answer, rows[SaturdayRow], 4) || !FillTimeRow(answer, rows[EverySundayRow], 6))
        return false;
    for (int week = 0; week < WeekCount; ++week) {
        if (!FillWeekRow(answer, rows[FirstWeekRow + week], 8 + week))
            return false;
    }
    return FillOperation(answer);
}

// Start and end from the test record and the one after it.
bool WeeklyHoursWindow::FillTimeRow(WeeklyAnswer& answer, const Row& row, int testRecord)
{
    const std::optional<QString> start = answer.Record(testRecord);
    if (!start)
        return false;
    if (!WeeklyAnswer::IsWorking(*start)) {
        SetRow(row.box, row.start, -1, row.end, 0);
        return true;
    }
    const std::optional<QString> end = answer.Record(testRecord + 1);
    if (!end)
        return false;
    const std::optional<int> startItem = answer.TimeItem(*start, StartSlotCount);
    const std::optional<int> endItem = startItem ? answer.TimeItem(*end, SlotCount) : std::nullopt;
    if (!endItem)
        return false;
    SetRow(row.box, row.start, *startItem, row.end, *endItem);
    return true;
}

// The closing time in record 3 is tested; record 2 holds the day.
bool WeeklyHoursWindow::FillNightDuty(WeeklyAnswer& answer)
{
    const std::optional<QString> end = answer.Record(3);
    if (!end)
        return false;
    if (!WeeklyAnswer::IsWorking(*end)) {
        SetRow(chk_normal2, Cmb_normal8, -1, Cmb_normal7, 0);
        return true;
    }
    const std::optional<QString> day = answer.Record(2);
    if (!day)
        return false;
    const std::optional<int> dayItem = answer.DayItem(*day);
    const std::optional<int> endItem = dayItem ? answer.TimeItem(*end, SlotCount) : std::nullopt;
    if (!endItem)
        return false;
    SetRow(chk_normal2, Cmb_normal8, *dayItem, Cmb_normal7, *endItem);
    return true;
}

// A week's record: start in characters 1-5, end in characters 7-11, counted before trimming.
bool WeeklyHoursWindow::FillWeekRow(WeeklyAnswer& answer, const Row& row, int record)
{
    const std::optional<QString> week = answer.Record(record);
    if (!week)
        return false;
    if (!WeeklyAnswer::IsWorking(*week)) {
        SetRow(row.box, row.start, -1, row.end, 0);
        return true;
    }
    const std::optional<int> startItem = answer.TimeItem(week->mid(0, 5), StartSlotCount);
    const std::optional<int> endItem =
        startItem ? answer.TimeItem(week->mid(6, 5), SlotCount) : std::nullopt;
    if (!endItem)
        return false;
    SetRow(row.box, row.start, *startItem, row.end, *endItem);
    return true;
}

// "0" to "3" select the operation type; any other value leaves it as it is.
bool WeeklyHoursWindow::FillOperation(WeeklyAnswer& answer)
{
    const std::optional<QString> record = answer.Record(OperationRecord);
    if (!record)
        return false;
    const QString operation = Trimmed(*record);
    const std::array<QRadioButton*, 4> buttons = {rad_normal1, rad_normal2, rad_normal3,
                                                  rad_normal4};
    for (int value = 0; value < 4; ++value) {
        if (operation == QString::number(value))
            buttons[value]->setChecked(true);
    }
    return true;
}

// A fresh legal-holiday window becomes the program-wide one, centred and modeless.
void WeeklyHoursWindow::OpenHolidayWindow()
{
    frm_holiday = new LegalHolidayWindow;
    ShowDataWindow(frm_holiday);
}

std::array<WeeklyHoursWindow::Row, 9> WeeklyHoursWindow::Rows() const
{
    return {{{chk_normal1, cmb_normal1, cmb_normal2, lbs1, lbe1},
             {chk_normal2, Cmb_normal8, Cmb_normal7, lbs2, lbe2},
             {chk_normal3, cmb_normal3, cmb_normal4, lbs3, lbe3},
             {chk_normal4, cmb_normal5, cmb_normal6, lbs4, lbe4},
             {chk_normal5, cmb_normal9, cmb_normal10, lbs5, lbe5},
             {chk_normal6, cmb_normal11, cmb_normal12, lbs6, lbe6},
             {chk_normal7, cmb_normal13, cmb_normal14, lbs7, lbe7},
             {chk_normal8, cmb_normal15, cmb_normal16, lbs8, lbe8},
             {chk_normal9, cmb_normal17, cmb_normal18, lbs9, lbe9}}};
}
