#include "hours/DayHoursWindow.h"

#include "core/program/PictureButton.h"
#include "core/program/ProgramValues.h"
#include "core/program/Trimmed.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/SplitFields.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"

#include <QKeyEvent>
#include <QShowEvent>

DayHoursWindow::DayHoursWindow(DayHoursSetup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)), ui_(this, setup_),
      hoursRequests_(new WebBrowser(QStringLiteral("hoursRequests"), this))
{
    setWindowTitle(setup_.caption);
    setFixedSize(setup_.clientSize);
    for (const DayHoursRow& row : ui_.rows) {
        connect(row.working, &QCheckBox::toggled, this, [row] { row.FollowWorkingBox(); });
        // A start picked by the user moves the end to the next half hour; one set by the
        // program does not.
        connect(row.start, &QComboBox::activated, this,
                [row] { row.end->setCurrentIndex(row.start->currentIndex() + 1); });
    }
    connect(ui_.save, &PictureButton::Clicked, this, &DayHoursWindow::Save);
    connect(ui_.reset, &PictureButton::Clicked, this, &DayHoursWindow::Reset);
    connect(ui_.close, &PictureButton::Clicked, this, &QDialog::close);
    connect(hoursRequests_, &WebBrowser::DocumentComplete, this, &DayHoursWindow::PageCompleted);
}

// Runs each time the window becomes visible, not when it is only brought back from the taskbar.
void DayHoursWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FetchHours();
}

// Reads the licence number and asks the service for the registered hours.
void DayHoursWindow::FetchHours()
{
    license_ = ReadIniString(ProgramFolder + SettingsKeys::FileName, SettingsKeys::BasicInfo,
                             SettingsKeys::PharmacistLicense, license_);
    exchange_.FetchSent();
    QString body = QStringLiteral("P_select  =1&P_LICENSE    =") + FormValue(Trimmed(license_));
    for (int n = 1; n <= setup_.fetchRows; ++n)
        body += FetchFields(n);
    SendRequest(body);
}

void DayHoursWindow::SendRequest(const QString& body)
{
    PostPage(*hoursRequests_, setup_.page, body);
}

// Every row goes out, loaded or not; the end is not checked against the start.
void DayHoursWindow::Save()
{
    if (!exchange_.SaveMayGo())
        return;
    QString body = QStringLiteral("P_select  =2&P_LICENSE    =") + FormValue(Trimmed(license_));
    for (std::size_t i = 0; i < ui_.rows.size(); ++i)
        body += ui_.rows[i].SaveFields(static_cast<int>(i) + 1);
    SendRequest(body);
}

// Rows keep their visibility, names and dates; nothing is sent.
void DayHoursWindow::Reset()
{
    for (const DayHoursRow& row : ui_.rows)
        row.Reset();
}

void DayHoursWindow::PageCompleted(const QString& url)
{
    AnswerArrived(exchange_.LastRequest(), url, PageText(*hoursRequests_));
}

void DayHoursWindow::AnswerArrived(HoursRequest answered, const QString& url, const QString& text)
{
    const bool saved = exchange_.AnswerArrived(
        answered, url, text, [this](const QString& page) { return FillRows(page); },
        {.text = setup_.savedMessage,
         .caption = QString(),
         .icon = MessageIcon::None,
         .buttons = MessageButtons::Ok});
    if (saved)
        close();
}

// Record i fills row i + 1; a row that no record fills is hidden and emptied, so that what an
// earlier answer put there is not sent again. With one festival only, a record named otherwise
// than the last one shown is passed over.
std::optional<QString> DayHoursWindow::FillRows(const QString& text)
{
    QStringList records;
    SplitFields(CharSetOf(u"]"), CharSet(), text, &records);
    for (const DayHoursRow& row : ui_.rows)
        row.Clear();
    QString lastShownName;
    const qsizetype count = std::min<qsizetype>(records.size(), std::ssize(ui_.rows));
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
            return QStringLiteral("서버에서 받은 근무시간을 읽을 수 없습니다.\r\n"
                                  "%1번째 줄부터는 표시하지 못했습니다.")
                .arg(i + 1);
        ui_.rows[static_cast<std::size_t>(i)].Fill(*day);
        lastShownName = name;
    }
    return std::nullopt;
}

// A repaint restores every button, except while one is held down.
void DayHoursWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!ui_.ButtonHeld())
        ui_.ReleaseButtons();
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
