#pragma once

#include <QImage>

// The three 16 x 16 tray pictures of a mortar and pestle: 0 grey (off), 1 pale yellow
// (waiting), 2 cyan (on). Other indexes give the grey one.
QImage TrayPicture(int index);

inline constexpr int TrayPictureCount = 3;
