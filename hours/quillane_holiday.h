#pragma once

#include "DayHoursWindow.h"

#include <QPointer>

// The legal-holiday window: whether and when the pharmacy opens on each legal holiday the service
// lists. Destroyed when it closes.
class Tfrm_holiday : public DayHoursWindow
{
    Q_OBJECT

public:
    explicit Tfrm_holiday(QWidget* parent = nullptr);

    // The two red notes under the rows.
    QLabel* Label1;
    QLabel* Label2;
};

// The program-wide legal-holiday window; empty until opened, cleared when it is destroyed.
inline QPointer<Tfrm_holiday> frm_holiday;
