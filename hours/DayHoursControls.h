#pragma once

#include "hours/DayHoursRow.h"
#include "hours/DayHoursSetup.h"

#include <vector>

class PictureButton;
class QDialog;

// The controls of a legal-holiday or festival window, made and placed on it: the background,
// the "근무유무" header, the rows (object names "row" + number + Name, Working, Start, From, End,
// To, Date) and the picture buttons "saveButton", "resetButton" and "closeBar", each with its
// pressed twin (the name + "Pressed") hidden at its place.
struct DayHoursControls
{
    DayHoursControls(QDialog* window, const DayHoursSetup& setup);

    // Shows every picture button released.
    void ReleaseButtons() const;
    // Whether the mouse holds one of the picture buttons down.
    bool ButtonHeld() const;

    std::vector<DayHoursRow> rows;
    PictureButton* save;
    PictureButton* reset;
    PictureButton* close;
};
