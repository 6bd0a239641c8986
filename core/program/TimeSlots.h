#pragma once

#include <QString>
#include <QStringList>

// The half-hour grid of working hours: slot k (0 to 60) is k x 30 minutes after midnight of the
// day. The service writes a slot as a time text ("00:00" to "30:00"); the lists show it as the
// same text up to "24:30" and as a next-day label ("익일 1시" to "익일 6시") after that. A list
// item's index equals its slot number.

inline constexpr int SlotCount = 61;      // slots 0 to 60, the items of an end-time list
inline constexpr int StartSlotCount = 49; // slots 0 to 48, the items of a start-time list

// "HH:MM" of slot k, hours above 24 for the next day.
QString SlotTimeText(int slot);

// The list label of slot k: its time text up to slot 49, "익일 N시" or "익일 N시 30분" after.
QString SlotLabel(int slot);

// The items of every start-time list ("00:00" to "24:00") and end-time list (up to "익일 6시").
const QStringList& StartTimeLabels();
const QStringList& EndTimeLabels();

// The slot number, as decimal text, of an exact time text; any other text comes back unchanged.
QString TimeToSlotCode(const QString& text);

// The time text of an exact next-day label ("익일 2시 30분" -> "26:30"); any other text comes
// back unchanged.
QString NextDayLabelToTime(const QString& text);
