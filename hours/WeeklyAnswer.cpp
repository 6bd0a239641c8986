#include "hours/WeeklyAnswer.h"

#include "core/program/TimeSlots.h"
#include "core/program/Trimmed.h"
#include "core/requests/SplitFields.h"

namespace {

constexpr int NightDayCount = 5;
constexpr int FirstNightDay = 2;

} // namespace

WeeklyAnswer::WeeklyAnswer(const QString& pageText)
{
    SplitFields(CharSetOf(u"]"), CharSet(), pageText, &records_);
}

std::optional<QString> WeeklyAnswer::Record(int index)
{
    if (index < records_.size())
        return records_.at(index);
    error_ = QStringLiteral("받은 항목이 %1개뿐이라 %2번째 항목이 없습니다.")
                 .arg(records_.size())
                 .arg(index + 1);
    return std::nullopt;
}

std::optional<int> WeeklyAnswer::TimeItem(const QString& time, int itemCount)
{
    const QString text = Trimmed(time);
    const QString code = TimeToSlotCode(text);
    const int item = code.toInt();
    if (code != text && item < itemCount)
        return item;
    error_ = QStringLiteral("'%1'은(는) 고를 수 있는 시간이 아닙니다.").arg(text);
    return std::nullopt;
}

std::optional<int> WeeklyAnswer::DayItem(const QString& day)
{
    const QString text = Trimmed(day);
    bool isNumber = false;
    const int item = text.toInt(&isNumber) - FirstNightDay;
    if (isNumber && item >= 0 && item < NightDayCount)
        return item;
    error_ = QStringLiteral("'%1'은(는) 월요일(2)부터 금요일(6)까지의 요일이 아닙니다.").arg(text);
    return std::nullopt;
}

bool WeeklyAnswer::IsWorking(const QString& record)
{
    const QString text = Trimmed(record);
    return !text.isEmpty() && text != QStringLiteral(":");
}
