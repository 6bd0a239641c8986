#pragma once

#include "hours/DayHoursControls.h"
#include "hours/DayHoursSetup.h"
#include "hours/HoursExchange.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class WebBrowser;

// The window shared by the legal-holiday and festival hours: rows of day records fetched from
// the service page each time the window is shown, edited, and saved back all at once. Its
// requests go through the browser control "hoursRequests".
class DayHoursWindow : public QDialog
{
    Q_OBJECT

public:
    HoursRequest LastRequest() const { return exchange_.LastRequest(); }
    // Whether the rows hold the answer to the last fetch; the save waits for it.
    FetchState Fetched() const { return exchange_.Fetched(); }

    // The page handling of a completed page's address and text, taken as the answer to
    // `answered`: the answers to the fetch and to the save alike fill the rows; the save's
    // answer is then confirmed and the window closes.
    void AnswerArrived(HoursRequest answered, const QString& url, const QString& text);

protected:
    DayHoursWindow(DayHoursSetup setup, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FetchHours();
    void Save();
    void Reset();
    void SendRequest(const QString& body);
    void PageCompleted(const QString& url);
    // Fills the rows from the answer's records; the warning when a record could not be read,
    // which ends the filling.
    std::optional<QString> FillRows(const QString& text);

    DayHoursSetup setup_;
    DayHoursControls ui_;
    WebBrowser* hoursRequests_;
    HoursExchange exchange_;
    QString license_;
};
