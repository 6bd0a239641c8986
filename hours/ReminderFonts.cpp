#include "ReminderFonts.h"

#include <QStringList>

namespace {

constexpr int NamePixelSize = 24;

} // namespace

QFont ReminderTextFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("NanumGothic")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont ReminderNameFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("돋움체"), QStringLiteral("DotumChe"),
                      QStringLiteral("NanumGothicCoding")});
    font.setPixelSize(NamePixelSize);
    font.setBold(true);
    return font;
}
