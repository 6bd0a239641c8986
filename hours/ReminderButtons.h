#pragma once

#include "resources/ReminderPictures.h"

#include <QPoint>

class PictureButton;
class QWidget;

// One of a reminder's three answer buttons, 81 x 23 at its place, its pressed twin hidden at the
// same place: pressing shows the twin, releasing shows the button again. Object names
// "workButton", "closedButton" and "laterButton", the twins' the same + "Pressed".
PictureButton* NewReminderButton(QWidget* parent, ReminderButton button);
