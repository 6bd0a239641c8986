#pragma once

#include "HolidayCalendar.h"
#include "ServiceStore.h"

// Loads the demo members into a new database (the README lists them):
// 김똘이 12345 / 6503151, owner, registered with check computer "COUNTER-PC", weekly hours;
// 박서연 23456 / 7208242, owner, nothing registered yet;
// 이준호 34567 / 8811011, a pharmacist who does not own a pharmacy;
// 최민정 45678 / 7011302, owner, registered with check computer "MINJ-PC", weekly hours.
// 김똘이 also works the coming legal holiday, the first day of the coming festival and the next
// Sunday; 최민정 the second festival day.
void LoadDemoData(ServiceStore& store, const HolidayCalendar& calendar, QDate today);
