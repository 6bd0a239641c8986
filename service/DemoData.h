#pragma once

#include "service/HolidayCalendar.h"
#include "service/ServiceStore.h"

#include <QDateTime>

// Loads the demo members into a new database (the README lists them):
// 김똘이 12345 / 6503151, owner, registered with check computer "COUNTER-PC", weekly hours;
// 박서연 23456 / 7208242, owner, nothing registered yet;
// 이준호 34567 / 8811011, a pharmacist who does not own a pharmacy;
// 최민정 45678 / 7011302, owner, registered with check computer "MINJ-PC", weekly hours and a
// presence report "on" received now.
// 김똘이 keeps Thursday nights until 01:30 and also works the coming legal holiday, the first day
// of the coming festival and the next Sunday; 최민정 the second festival day until 01:00.
void LoadDemoData(ServiceStore& store, const HolidayCalendar& calendar, QDateTime now);
