#pragma once

#include <QFont>

// The reminders' faces: the Windows faces first, the Nanum faces where they are missing.

// The text labels' face (Tahoma).
QFont ReminderTextFont(int pixelSize, bool bold);

// The festival's name in the festival reminder: bold 24-pixel 돋움체.
QFont ReminderNameFont();
