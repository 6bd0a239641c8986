#pragma once

#include "hours/DayRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

// The seven controls of one row of the legal-holiday and festival windows: the holiday's name,
// the working box, the start list, "부터", the end list, "까지" and the date. All hidden until a
// record fills the row; the lists and their two labels are enabled exactly while the box is
// ticked.
struct DayHoursRow
{
    QLabel* name;
    QCheckBox* working;
    QComboBox* start;
    QLabel* from;
    QComboBox* end;
    QLabel* to;
    QLineEdit* date;

    // The lists and their labels follow the working box.
    void FollowWorkingBox() const;

    // Shows the row with the record's name, date, box and times.
    void Fill(const DayRecord& record) const;

    // Both lists at "00:00" and the box cleared.
    void Reset() const;

    // Hidden and emptied as before any record filled it: its save fields are all "0".
    void Clear() const;

    // The row's three save fields, row number n: its times when ticked, "0" otherwise; its date,
    // or "0" when it holds none.
    QString SaveFields(int n) const;
};

// The three empty fields of row n in a fetch.
QString FetchFields(int n);
