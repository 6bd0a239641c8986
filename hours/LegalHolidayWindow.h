#pragma once

#include "hours/DayHoursWindow.h"

// The legal-holiday window: whether and when the pharmacy opens on each legal holiday the service
// lists. Destroyed when it closes.
class LegalHolidayWindow : public DayHoursWindow
{
    Q_OBJECT

public:
    explicit LegalHolidayWindow(QWidget* parent = nullptr);
};
