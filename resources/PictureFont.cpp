#include "resources/PictureFont.h"

#include <QStringList>

QFont PictureFont(int pixelSize, QFont::Weight weight)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("돋움"), QStringLiteral("Dotum"), QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
