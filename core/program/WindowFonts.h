#pragma once

#include <QFont>

// The windows' faces: the Windows faces first, the Nanum faces where they are missing.

// Tahoma, the text of most windows.
QFont TahomaFont(int pixelSize, bool bold);

// 돋움체, the fixed-pitch Korean face of names, dates and lists.
QFont DotumCheFont(int pixelSize, bool bold);
