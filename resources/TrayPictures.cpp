#include "resources/TrayPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {

// The drawing's own side; it is drawn four times larger than asked and scaled down, which keeps
// the small shapes smooth.
constexpr double DrawingSide = 16.0;
constexpr int Scale = 4;

struct Shade
{
    QColor fill;
    QColor outline;
};

Shade ShadeOf(int index)
{
    static const std::array<Shade, 3> shades = {
        Shade{QColor(0x9a, 0x9a, 0x9a), QColor(0x4a, 0x4a, 0x4a)},
        Shade{QColor(0xf6, 0xe7, 0x8c), QColor(0x7a, 0x68, 0x1c)},
        Shade{QColor(0x22, 0xd3, 0xee), QColor(0x0b, 0x5c, 0x70)},
    };
    return index >= 0 && index < static_cast<int>(shades.size()) ? shades[index] : shades[0];
}

} // namespace

QImage TrayPicture(int index, int side)
{
    const Shade shade = ShadeOf(index);
    QImage large(side * Scale, side * Scale, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    QPainter painter(&large);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side * Scale / DrawingSide, side * Scale / DrawingSide);

    // The pestle leans into the bowl from the upper right.
    painter.setPen(QPen(shade.outline, 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(shade.fill.lighter(115));
    QPainterPath pestle;
    pestle.moveTo(7.2, 8.6);
    pestle.lineTo(13.2, 1.6);
    pestle.lineTo(14.6, 2.9);
    pestle.lineTo(8.8, 9.6);
    pestle.closeSubpath();
    painter.drawPath(pestle);

    // The bowl: a rim and a rounded body on a small foot.
    QPainterPath bowl;
    bowl.moveTo(1.5, 8.0);
    bowl.lineTo(14.5, 8.0);
    bowl.cubicTo(14.5, 11.8, 11.5, 13.2, 8.0, 13.2);
    bowl.cubicTo(4.5, 13.2, 1.5, 11.8, 1.5, 8.0);
    bowl.closeSubpath();
    painter.setBrush(shade.fill);
    painter.drawPath(bowl);
    painter.drawRoundedRect(QRectF(5.0, 13.0, 6.0, 1.8), 0.6, 0.6);
    painter.end();

    return large.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
