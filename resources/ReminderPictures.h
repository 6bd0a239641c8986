#pragma once

#include <QImage>
#include <QSize>

// The reminders' pictures, drawn rather than loaded: the background with its banner and the
// three answer buttons with their pressed twins.

// Which reminder a background belongs to: its banner names it.
enum class ReminderBanner
{
    Festival,    // 명절 등록 알림창
    LegalHoliday // 법정 공휴일 등록 알림창
};

// The three answers, in the order of the buttons from the left.
enum class ReminderButton
{
    Work,   // 근무
    Closed, // 휴무
    Later   // 나중알림
};

inline constexpr QSize ReminderSize(350, 248);
inline constexpr QSize ReminderButtonSize(81, 23);

// The whole client area: the banner at the top, the body below it.
QImage ReminderBackground(ReminderBanner banner);

// The button's picture, or its darker pressed twin.
QImage ReminderButtonPicture(ReminderButton button, bool pressed);
