#pragma once

#include "hours/HolidayRow.h"
#include "resources/ReminderPictures.h"

#include <QDialog>
#include <functional>

class QLabel;

// The festival reminder: the coming festival has no working hours yet. 근무 stores the answer
// and opens the festival window, 휴무 stores the answer, 나중알림 clears it so that the next
// check asks again. Closed by its frame it stores nothing.
class FestivalReminder : public QDialog
{
    Q_OBJECT

public:
    // openFestivalHours: shows the festival window modally, for 근무.
    FestivalReminder(const HolidayRow& festival, std::function<void()> openFestivalHours,
                     QWidget* parent = nullptr);

    // The festival it reminds of.
    const HolidayRow& Holiday() const { return festival_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Answer(ReminderButton answer);

    HolidayRow festival_;
    std::function<void()> openFestivalHours_;
    QLabel* festivalName_; // "festivalName": its first two characters
};
