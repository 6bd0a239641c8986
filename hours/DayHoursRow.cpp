#include "hours/DayHoursRow.h"

#include "core/program/TimeSlots.h"
#include "core/program/Trimmed.h"
#include "core/requests/FormEncoding.h"

namespace {

QString Field(QChar kind, int n, const QString& value)
{
    return QStringLiteral("&P_TIME_%1%2   =").arg(kind).arg(n) + FormValue(value);
}

// A slot beyond the list's items selects nothing.
void Select(QComboBox& list, int slot)
{
    list.setCurrentIndex(slot >= 0 && slot < list.count() ? slot : -1);
}

} // namespace

void DayHoursRow::FollowWorkingBox() const
{
    const bool ticked = working->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(start), static_cast<QWidget*>(from),
                             static_cast<QWidget*>(end), static_cast<QWidget*>(to)})
        control->setEnabled(ticked);
}

void DayHoursRow::Fill(const DayRecord& record) const
{
    from->show();
    to->show();
    working->setChecked(record.working);
    Select(*start, record.working ? record.startSlot : 0);
    Select(*end, record.working ? record.endSlot : 0);
    for (QWidget* control :
         {static_cast<QWidget*>(working), static_cast<QWidget*>(start), static_cast<QWidget*>(end),
          static_cast<QWidget*>(date), static_cast<QWidget*>(name)})
        control->show();
    name->setText(record.name);
    date->setText(record.date);
}

void DayHoursRow::Reset() const
{
    start->setCurrentIndex(0);
    end->setCurrentIndex(0);
    working->setEnabled(true);
    working->setChecked(false);
}

void DayHoursRow::Clear() const
{
    Reset();
    date->clear();
    for (QWidget* control :
         {static_cast<QWidget*>(name), static_cast<QWidget*>(working), static_cast<QWidget*>(start),
          static_cast<QWidget*>(from), static_cast<QWidget*>(end), static_cast<QWidget*>(to),
          static_cast<QWidget*>(date)})
        control->hide();
}

QString DayHoursRow::SaveFields(int n) const
{
    const QString dateText = Trimmed(date->text());
    if (working->isChecked())
        return Field(u'S', n, Trimmed(start->currentText())) +
               Field(u'E', n, NextDayLabelToTime(Trimmed(end->currentText()))) +
               Field(u'D', n, dateText);
    return Field(u'S', n, QStringLiteral("0")) + Field(u'E', n, QStringLiteral("0")) +
           Field(u'D', n, dateText.isEmpty() ? QStringLiteral("0") : dateText);
}

QString FetchFields(int n)
{
    return Field(u'S', n, QString()) + Field(u'E', n, QString()) + Field(u'D', n, QString());
}
