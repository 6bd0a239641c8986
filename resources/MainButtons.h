#pragma once

#include <QImage>

// The main screen's picture buttons, in the order of the screen from the top.
enum class MainButton
{
    BasicInfo,
    NormalHours,
    LegalHolidays,
    FestivalHours,
    Close
};

// The button's picture, or its darker pressed twin.
QImage MainButtonPicture(MainButton button, bool pressed);

// The size of that picture, known without drawing it.
QSize MainButtonPictureSize(MainButton button, bool pressed);
