#pragma once

#include "service/DaySchedule.h"

#include <QTime>
#include <string>

enum class OpenState
{
    Closed,
    Open,
    Unclear // a span whose end was not given has begun
};

// Whether a pharmacy is open at the time of a day: a span of that day that has begun and not
// ended, or a span of the previous day that runs past midnight and has not ended yet.
OpenState OpenAt(const DaySchedule& day, const DaySchedule& previousDay, QTime time);

// The span as the public reads it: "09:00 ~ 익일 01:30", "09:00부터 (종료 시간 미등록)", or
// "근무 (시간 미등록)" for a day worked without hours.
std::string SpanText(const WorkSpan& span);
