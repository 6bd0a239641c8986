#pragma once

#include "hours/HoursExchange.h"
#include "hours/WeeklyHoursControls.h"

#include <QDialog>
#include <optional>

class SpecificSundays;
class WeeklyAnswer;
class WebBrowser;
struct WeeklySave;

// The weekly-hours window with its specific Sundays: fetches the registered hours from the
// service each time it is shown, lets the pharmacy change them and sends them back; after a save
// it asks for the legal-holiday window. Closing only hides it. Its requests go through the browser
// control "weeklyHoursRequests".
class WeeklyHoursWindow : public QDialog
{
    Q_OBJECT

public:
    explicit WeeklyHoursWindow(QWidget* parent = nullptr);

    HoursRequest LastRequest() const { return exchange_.LastRequest(); }
    // Whether the rows hold the answer to the last fetch; the save waits for it.
    FetchState Fetched() const { return exchange_.Fetched(); }

    // The page handling of the weekly answer, given the completed page's address and text and
    // the request it answers: the answers to the fetch and to the save alike fill the rows; the
    // save's answer then says so, hides the window and asks for the legal-holiday window.
    void AnswerArrived(HoursRequest answered, const QString& url, const QString& text);

signals:
    // A save was answered: the legal-holiday window comes next.
    void LegalHolidayHoursRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FetchHours();
    void Save();
    void Reenter();
    void PageCompleted(const QString& url);
    WeeklySave RowsToSave() const;
    // The rows from the answer's records in turn; the warning when one cannot be read, which
    // ends the filling there.
    std::optional<QString> FillRows(const QString& text);
    bool FillTimeRow(WeeklyAnswer& answer, const WeeklyHoursRow& row, int testRecord);
    bool FillNightDuty(WeeklyAnswer& answer);
    bool FillWeekRow(WeeklyAnswer& answer, const WeeklyHoursRow& row, int record);
    bool FillOperation(WeeklyAnswer& answer);

    WeeklyHoursControls ui_;
    SpecificSundays* sundays_;
    WebBrowser* hoursRequests_;
    HoursExchange exchange_;
    QString license_;
    QString checkComputer_; // this computer's name as the pharmacy's check computer, or empty
};
