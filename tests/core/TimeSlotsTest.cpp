#include "core/program/TimeSlots.h"

#include <gtest/gtest.h>

namespace {

struct Slot
{
    int code;
    const char* timeText;
    const char* label;
};

// Every slot of the grid as the service writes it and as the lists show it.
const Slot Slots[] = {
    {0, "00:00", "00:00"},          {1, "00:30", "00:30"},          {2, "01:00", "01:00"},
    {3, "01:30", "01:30"},          {4, "02:00", "02:00"},          {5, "02:30", "02:30"},
    {6, "03:00", "03:00"},          {7, "03:30", "03:30"},          {8, "04:00", "04:00"},
    {9, "04:30", "04:30"},          {10, "05:00", "05:00"},         {11, "05:30", "05:30"},
    {12, "06:00", "06:00"},         {13, "06:30", "06:30"},         {14, "07:00", "07:00"},
    {15, "07:30", "07:30"},         {16, "08:00", "08:00"},         {17, "08:30", "08:30"},
    {18, "09:00", "09:00"},         {19, "09:30", "09:30"},         {20, "10:00", "10:00"},
    {21, "10:30", "10:30"},         {22, "11:00", "11:00"},         {23, "11:30", "11:30"},
    {24, "12:00", "12:00"},         {25, "12:30", "12:30"},         {26, "13:00", "13:00"},
    {27, "13:30", "13:30"},         {28, "14:00", "14:00"},         {29, "14:30", "14:30"},
    {30, "15:00", "15:00"},         {31, "15:30", "15:30"},         {32, "16:00", "16:00"},
    {33, "16:30", "16:30"},         {34, "17:00", "17:00"},         {35, "17:30", "17:30"},
    {36, "18:00", "18:00"},         {37, "18:30", "18:30"},         {38, "19:00", "19:00"},
    {39, "19:30", "19:30"},         {40, "20:00", "20:00"},         {41, "20:30", "20:30"},
    {42, "21:00", "21:00"},         {43, "21:30", "21:30"},         {44, "22:00", "22:00"},
    {45, "22:30", "22:30"},         {46, "23:00", "23:00"},         {47, "23:30", "23:30"},
    {48, "24:00", "24:00"},         {49, "24:30", "24:30"},         {50, "25:00", "익일 1시"},
    {51, "25:30", "익일 1시 30분"}, {52, "26:00", "익일 2시"},      {53, "26:30", "익일 2시 30분"},
    {54, "27:00", "익일 3시"},      {55, "27:30", "익일 3시 30분"}, {56, "28:00", "익일 4시"},
    {57, "28:30", "익일 4시 30분"}, {58, "29:00", "익일 5시"},      {59, "29:30", "익일 5시 30분"},
    {60, "30:00", "익일 6시"},
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(TimeSlots, EverySlotHasItsTimeTextCodeAndLabel)
{
    ASSERT_EQ(std::size(Slots), std::size_t(SlotCount));
    ASSERT_EQ(EndTimeLabels().size(), SlotCount);
    for (const Slot& slot : Slots) {
        SCOPED_TRACE(slot.timeText);
        EXPECT_EQ(SlotTimeText(slot.code), Text(slot.timeText));
        EXPECT_EQ(SlotLabel(slot.code), Text(slot.label));
        EXPECT_EQ(EndTimeLabels().at(slot.code), Text(slot.label));
        EXPECT_EQ(TimeToSlotCode(Text(slot.timeText)), QString::number(slot.code));
        EXPECT_EQ(NextDayLabelToTime(Text(slot.label)), Text(slot.timeText));
    }
}

TEST(TimeSlots, StartListEndsAtMidnightOfTheNextDay)
{
    ASSERT_EQ(StartTimeLabels().size(), StartSlotCount);
    EXPECT_EQ(StartTimeLabels().front(), QStringLiteral("00:00"));
    EXPECT_EQ(StartTimeLabels().back(), QStringLiteral("24:00"));
    EXPECT_EQ(StartTimeLabels(), EndTimeLabels().mid(0, StartSlotCount));
}

TEST(TimeSlots, TimeToSlotCodeReturnsOtherTextsUnchanged)
{
    for (const char* text : {"05:15", "5:00", " 05:00", "05:00 ", "00000", "30:30", "", "0",
                             "24:60", "익일 1시", "0５:00"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TimeToSlotCode(Text(text)), Text(text));
    }
}

TEST(TimeSlots, NextDayLabelToTimeConvertsOnlyNextDayLabels)
{
    EXPECT_EQ(NextDayLabelToTime(QStringLiteral("익일 2시 30분")), QStringLiteral("26:30"));
    EXPECT_EQ(NextDayLabelToTime(QStringLiteral("익일 6시")), QStringLiteral("30:00"));
    for (const char* text : {"익일 6시 30분", "익일 0시", "익일 1시30분", " 익일 1시", "익일  1시",
                             "24:30", "23:30", "00:00", "25:00", "", "30:30"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(NextDayLabelToTime(Text(text)), Text(text));
    }
}

} // namespace
