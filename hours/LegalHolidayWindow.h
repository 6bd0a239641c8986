#pragma once

#include "hours/DayHoursWindow.h"

#include <QPointer>

// The legal-holiday window: whether and when the pharmacy opens on each legal holiday the service
// lists. Destroyed when it closes.
class LegalHolidayWindow : public DayHoursWindow
{
    Q_OBJECT

public:
    explicit LegalHolidayWindow(QWidget* parent = nullptr);
};

// The program-wide legal-holiday window; empty until opened, cleared when it is destroyed.
inline QPointer<LegalHolidayWindow> frm_holiday;
