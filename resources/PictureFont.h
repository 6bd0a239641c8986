#pragma once

#include <QFont>

// The Korean face of the pictures: the Windows faces first, NanumGothic where they are missing.
QFont PictureFont(int pixelSize, QFont::Weight weight = QFont::Bold);
