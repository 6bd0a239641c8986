#include "service/OpenNow.h"

namespace {

constexpr int MinutesPerDay = 24 * 60;

// "25:00" reads "익일 01:00".
std::string ShownTime(const std::string& time)
{
    if (time <= "24:00")
        return time;
    const int hour = std::stoi(time.substr(0, 2)) - 24;
    return "익일 0" + std::to_string(hour) + time.substr(2);
}

} // namespace

OpenState OpenAt(const DaySchedule& day, const DaySchedule& previousDay, QTime time)
{
    const int now = time.hour() * 60 + time.minute();
    for (const WorkSpan& span : previousDay.spans)
        if (span.EndGiven() && now + MinutesPerDay < span.EndMinutes())
            return OpenState::Open;
    OpenState state = OpenState::Closed;
    for (const WorkSpan& span : day.spans) {
        if (now < span.StartMinutes())
            continue;
        if (!span.EndGiven())
            state = OpenState::Unclear;
        else if (now < span.EndMinutes())
            return OpenState::Open;
    }
    return state;
}

std::string SpanText(const WorkSpan& span)
{
    if (span.EndGiven())
        return ShownTime(span.start) + " ~ " + ShownTime(span.end);
    if (span.start == "00:00")
        return "근무 (시간 미등록)";
    return ShownTime(span.start) + "부터 (종료 시간 미등록)";
}
