#pragma once

#include "hours/DayHoursWindow.h"

// The festival window: the pharmacy's hours on the days of the coming lunar festival. Hidden when
// it closes and shown again, fetching afresh, at the next opening.
class FestivalHoursWindow : public DayHoursWindow
{
    Q_OBJECT

public:
    explicit FestivalHoursWindow(QWidget* parent = nullptr);
};
