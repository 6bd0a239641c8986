#include "core/program/TimeSlots.h"

namespace {

constexpr int FirstNextDaySlot = 50;

QStringList LabelsOfSlots(int count)
{
    QStringList labels;
    for (int slot = 0; slot < count; ++slot)
        labels.append(SlotLabel(slot));
    return labels;
}

QStringList TimeTextsOfSlots()
{
    QStringList texts;
    for (int slot = 0; slot < SlotCount; ++slot)
        texts.append(SlotTimeText(slot));
    return texts;
}

} // namespace

QString SlotTimeText(int slot)
{
    return QStringLiteral("%1:%2")
        .arg(slot / 2, 2, 10, QLatin1Char('0'))
        .arg(slot % 2 == 0 ? QStringLiteral("00") : QStringLiteral("30"));
}

QString SlotLabel(int slot)
{
    if (slot < FirstNextDaySlot)
        return SlotTimeText(slot);
    const int j = slot - FirstNextDaySlot;
    QString label = QStringLiteral("익일 %1시").arg(1 + j / 2);
    if (j % 2 == 1)
        label += QStringLiteral(" 30분");
    return label;
}

const QStringList& StartTimeLabels()
{
    static const QStringList labels = LabelsOfSlots(StartSlotCount);
    return labels;
}

const QStringList& EndTimeLabels()
{
    static const QStringList labels = LabelsOfSlots(SlotCount);
    return labels;
}

QString TimeToSlotCode(const QString& text)
{
    static const QStringList timeTexts = TimeTextsOfSlots();
    const qsizetype slot = timeTexts.indexOf(text);
    return slot < 0 ? text : QString::number(slot);
}

QString NextDayLabelToTime(const QString& text)
{
    const qsizetype slot = EndTimeLabels().indexOf(text);
    return slot < FirstNextDaySlot ? text : SlotTimeText(static_cast<int>(slot));
}
