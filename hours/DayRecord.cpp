#include "hours/DayRecord.h"

#include "core/program/TimeSlots.h"

namespace {

// The slot of a grid time text. An end of "00000" is read as midnight, as the service's day off
// is written in both places.
std::optional<int> SlotOf(const QString& time, bool isEnd)
{
    if (isEnd && time == DayOffMark)
        return 0;
    const QString code = TimeToSlotCode(time);
    if (code == time)
        return std::nullopt;
    return code.toInt();
}

} // namespace

QString DayRecordName(const QString& record)
{
    return record.mid(20);
}

std::optional<DayRecord> ReadDayRecord(const QString& record)
{
    DayRecord day{.date = record.left(10), .name = DayRecordName(record)};
    const QString start = record.mid(10, 5);
    if (start == DayOffMark)
        return day;
    const std::optional<int> startSlot = SlotOf(start, false);
    const std::optional<int> endSlot = SlotOf(record.mid(15, 5), true);
    if (!startSlot || !endSlot)
        return std::nullopt;
    day.working = true;
    day.startSlot = *startSlot;
    day.endSlot = *endSlot;
    return day;
}
