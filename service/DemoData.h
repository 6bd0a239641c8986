#pragma once

#include "ServiceStore.h"

// Loads the demo members into a new database (the README lists them):
// 김똘이 12345 / 6503151, owner, registered with check computer "COUNTER-PC", weekly hours;
// 박서연 23456 / 7208242, owner, nothing registered yet;
// 이준호 34567 / 8811011, a pharmacist who does not own a pharmacy;
// 최민정 45678 / 7011302, owner, registered with check computer "MINJ-PC", weekly hours.
void LoadDemoData(ServiceStore& store);
