#pragma once

#include <QString>

// A holiday of the local calendar: its date text, its name and its kind ("1" legal holiday,
// "2" festival).
struct HolidayRow
{
    QString day{};
    QString name{};
    QString kind{};
};
