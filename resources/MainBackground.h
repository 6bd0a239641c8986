#pragma once

#include <QImage>

// The main screen's background, 312 x 312: a sky with a rainbow and the title banner.
QImage MainBackground();
