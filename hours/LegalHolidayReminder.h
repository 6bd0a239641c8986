#pragma once

#include "hours/HolidayRow.h"
#include "resources/ReminderPictures.h"

#include <QDialog>
#include <array>

class PictureButton;
class QComboBox;
class QLabel;
class WebBrowser;

// The legal-holiday reminder: the coming legal holiday has no answer yet, and the days left are
// counted. 근무 stores the answer and notes, reports the working day to "hdaycheck.asp" through
// the browser control "workingDayReport" and closes once the service has answered (so the report
// is never cut off); 휴무 stores the answer; 나중알림 clears it so that the next check asks again.
// Closed by its frame it stores nothing.
class LegalHolidayReminder : public QDialog
{
    Q_OBJECT

public:
    explicit LegalHolidayReminder(const HolidayRow& holiday, QWidget* parent = nullptr);

    // The legal holiday it reminds of.
    const HolidayRow& Holiday() const { return holiday_; }

    // Yes from a 근무 report until its answer: the reminder does not close meanwhile.
    bool AwaitingReport() const { return awaitingReport_; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Answer(ReminderButton answer);
    void ReportWorkingDay();
    void ReportAnswered(const QString& url);

    QLabel* countdown_;    // "countdown": ( n일전 )
    QLabel* holidayName_;  // "holidayName"
    QComboBox* workStart_; // "workStart"
    QComboBox* workEnd_;   // "workEnd"
    std::array<PictureButton*, 3> buttons_{};
    HolidayRow holiday_;
    WebBrowser* report_;
    bool awaitingReport_ = false;
};
