#pragma once

#include <QImage>

// The two pictures of the 567 x 40 progress strip.

// The automatic update in progress (about one minute).
QImage UpdateProgressPicture();

// The basic information being fetched from the management system.
QImage ImportBannerPicture();
