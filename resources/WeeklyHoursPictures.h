#pragma once

#include <QImage>

// The weekly-hours window's pictures, drawn in code.

// The background of the whole client area, 500 x 600: the title band, the panel behind the rows
// and the panel of the single Sundays.
QImage WeeklyHoursBackground();

// The window's picture buttons: the completion button 입력완료, the re-entry button 다시입력 and
// the close bar across the bottom edge.
enum class WeeklyHoursButton
{
    Complete,
    Reenter,
    Close
};

// The button's picture, or its pressed twin of the same size.
QImage WeeklyHoursButtonPicture(WeeklyHoursButton button, bool pressed);

// Where the button and its pressed twin lie in the window.
QRect WeeklyHoursButtonPlace(WeeklyHoursButton button);
