#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The records of an answer of the weekly page, read the way the rows need them. A read that
// fails (a record the page did not hold, a time that is no item of its list, a night-duty day
// that is no weekday of the list) gives nothing and keeps what was wrong in Error().
class WeeklyAnswer
{
public:
    explicit WeeklyAnswer(const QString& pageText);

    // The record as split, untrimmed.
    std::optional<QString> Record(int index);

    // The list item of a time text (trimmed first) in a list of itemCount items.
    std::optional<int> TimeItem(const QString& time, int itemCount);

    // The day list's item of a weekday number, "2" (Monday) to "6" (Friday).
    std::optional<int> DayItem(const QString& day);

    QString Error() const { return error_; }

    // Whether a row's test record says the row is worked: trimmed, neither ":" nor empty.
    static bool IsWorking(const QString& record);

private:
    QStringList records_;
    QString error_;
};
