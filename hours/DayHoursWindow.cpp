#include "DayHoursWindow.h"

#include "FormEncoding.h"
#include "MessageBox.h"
#include "PictureButton.h"
#include "Quillane_Define.h"
#include "ServerErrorPage.h"
#include "Settings.h"
#include "SettingsKeys.h"
#include "SplitFields.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {

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
    fetch_ = FetchState::Pending;
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

// Every row goes out, loaded or not; the end is not checked against the start. Nothing goes out
// before the fetch's answer has filled the rows: the rows would be sent as not working.
void DayHoursWindow::Save()
{
    if (fetch_ == FetchState::Pending)
        return;
    if (fetch_ == FetchState::Failed) {
        WarnFetchFailed();
        return;
    }
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
// confirmed and the window closes. Error pages change nothing; one in answer to the fetch is
// reported, as the rows then hold no registration to save.
void DayHoursWindow::PageArrived(const QString& url, const QString& text)
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
    QStringList records;
    SplitFields(CharSetOf(u"]"), CharSet(), text, &records);
    if (const std::optional<qsizetype> unread = FillRows(records)) {
        fetch_ = FetchState::Failed;
        WarnUnreadable(*unread);
        return;
    }
    fetch_ = FetchState::Applied;
    if (RequestMode == QStringLiteral("2")) {
        ShowMessage({.text = setup_.savedMessage,
                     .caption = QString(),
                     .icon = MessageIcon::None,
                     .buttons = MessageButtons::Ok});
        close();
    }
}

// Record i fills row i + 1; a row that no record fills is hidden and emptied, so that what an
// earlier answer put there is not sent again. With one festival only, a record named otherwise
// than the last one shown is passed over.
std::optional<qsizetype> DayHoursWindow::FillRows(const QStringList& records)
{
    for (const DayHoursRow& row : rows_)
        row.Clear();
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

// The window closes by its close bar, its frame or a save only; Escape does not close it.
void DayHoursWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
