#pragma once

#include <QString>
#include <optional>

// One "]"-separated record of the legal-holiday and festival answer pages, already trimmed and
// not empty: the date in characters 1-10, the start of work in 11-15 ("00000" for a day off),
// the end in 16-20 and the holiday's name from character 21 on.
struct DayRecord
{
    QString date;
    bool working = false;
    int startSlot = 0; // may lie beyond the start list's items (a start after 24:00)
    int endSlot = 0;
    QString name;
};

// The day off's mark in the start position.
inline const QString DayOffMark = QStringLiteral("00000");

// The record's name: the text from character 21 on (empty when shorter).
QString DayRecordName(const QString& record);

// Reads a trimmed, non-empty record. Nothing when a time it must read is off the half-hour grid
// (a record shorter than its layout included): such a record is not shown at all.
std::optional<DayRecord> ReadDayRecord(const QString& record);
