#pragma once

#include "hours/DayHoursWindow.h"

#include <QPointer>

// The festival window: the pharmacy's hours on the days of the coming lunar festival. Hidden when
// it closes and shown again, fetching afresh, at the next opening.
class FestivalHoursWindow : public DayHoursWindow
{
    Q_OBJECT

public:
    explicit FestivalHoursWindow(QWidget* parent = nullptr);
};

// The program-wide festival window; empty until opened, cleared when it is destroyed.
inline QPointer<FestivalHoursWindow> frm_fastival;
