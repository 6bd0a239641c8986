#include "core/program/WindowFonts.h"

#include <QStringList>

namespace {

QFont Face(const QStringList& families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont TahomaFont(int pixelSize, bool bold)
{
    return Face({QStringLiteral("Tahoma"), QStringLiteral("NanumGothic")}, pixelSize, bold);
}

QFont DotumCheFont(int pixelSize, bool bold)
{
    return Face(
        {QStringLiteral("돋움체"), QStringLiteral("DotumChe"), QStringLiteral("NanumGothicCoding")},
        pixelSize, bold);
}
