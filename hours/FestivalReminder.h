#pragma once

#include "HolidayRow.h"
#include "ReminderPictures.h"

#include <QDialog>
#include <QPointer>

class QLabel;

// The festival reminder: the coming festival has no working hours yet. 근무 stores the answer
// and opens the festival window, 휴무 stores the answer, 나중알림 clears it so that the next
// check asks again. Closed by its frame it stores nothing.
class FestivalReminder : public QDialog
{
    Q_OBJECT

public:
    explicit FestivalReminder(const HolidayRow& festival, QWidget* parent = nullptr);

    // The festival it reminds of.
    const HolidayRow& Holiday() const { return festival_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Answer(ReminderButton answer);

    HolidayRow festival_;
    QLabel* festivalName_; // "festivalName": its first two characters
};

// The festival reminder while it is shown.
inline QPointer<FestivalReminder> frm_fastmsg;
