#pragma once

#include <QImage>

// The three tray pictures of a mortar and pestle, 16 x 16 unless another side is asked for (the
// program's icon): 0 grey (off), 1 pale yellow (waiting), 2 cyan (on). Other indexes give the
// grey one.
QImage TrayPicture(int index, int side = 16);

inline constexpr int TrayPictureCount = 3;
