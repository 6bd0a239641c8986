#pragma once

#include <QImage>

// The pictures of the legal-holiday and festival windows, drawn rather than loaded.

// Which window a background belongs to: its heading and the guide under it name the window.
enum class DayHoursHeading
{
    LegalHolidays,
    Festival
};

// The background that fills the client area: the title banner, the window's heading and the
// pale panel behind the rows.
QImage DayHoursBackground(DayHoursHeading which, QSize size);

enum class DayHoursButton
{
    Save,  // 입력완료
    Reset, // 다시입력
    Close  // the close bar, ✕CLOSE
};

// The button's picture of the given size, or its darker pressed twin.
QImage DayHoursButtonPicture(DayHoursButton button, QSize size, bool pressed);
