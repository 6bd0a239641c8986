#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>

class PictureButton;
class QDialog;

inline constexpr QSize WeeklyHoursClientSize(500, 600);

// One row of the weekly window: the working box, the start list, the end list, and the "부터"
// and "까지" labels between and after them. The lists and labels are enabled exactly while the
// box is ticked. Object names: the row's name + Working, Start, End, From, To.
struct WeeklyHoursRow
{
    QCheckBox* working;
    QComboBox* start; // the night duty's: its day list, object name "nightDutyDay"
    QComboBox* end;
    QLabel* from;
    QLabel* to;
};

// The single Sundays under the rows: a date, its start and end, 저장 and 삭제, and the list of
// registered dates.
struct SpecificSundaysControls
{
    QDateEdit* date;     // "sundayDate"
    QComboBox* start;    // "sundayStart"
    QComboBox* end;      // "sundayEnd"
    QPushButton* save;   // "saveSundayButton"
    QPushButton* remove; // "deleteSundayButton"
    QListWidget* dates;  // "sundayList"
};

// The controls of the weekly window, made and placed on it.
struct WeeklyHoursControls
{
    explicit WeeklyHoursControls(QDialog* window);

    // The nine rows from the top: weekdays, night duty, Saturday, every Sunday, weeks 1 to 5.
    std::array<const WeeklyHoursRow*, 9> Rows() const;

    // Shows every picture button released.
    void ReleaseButtons() const;

    WeeklyHoursRow weekdays;                 // "weekdays"
    WeeklyHoursRow nightDuty;                // "nightDuty": the late day, Monday to Friday
    WeeklyHoursRow saturday;                 // "saturday"
    WeeklyHoursRow everySunday;              // "everySunday"
    std::array<WeeklyHoursRow, 5> weeks;     // "week1" to "week5": the Sunday of each week
    std::array<QRadioButton*, 4> operations; // the operation type, "0" to "3" on the wire
    SpecificSundaysControls sundays;
    QLabel* background;     // "background", drawn at the first showing
    PictureButton* save;    // 입력완료, "saveButton"
    PictureButton* reenter; // 다시입력, "reenterButton"
    PictureButton* close;   // the close bar, "closeBar"
};
