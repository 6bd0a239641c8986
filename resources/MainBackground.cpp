#include "resources/MainBackground.h"

#include "resources/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>
#include <array>

namespace {

constexpr int Side = 312;

void DrawSky(QPainter& painter)
{
    QLinearGradient sky(0, 0, 0, Side);
    sky.setColorAt(0.0, QColor(0x4f, 0xa8, 0xe8));
    sky.setColorAt(0.6, QColor(0xa9, 0xd8, 0xf5));
    sky.setColorAt(1.0, QColor(0xe4, 0xf4, 0xfc));
    painter.fillRect(0, 0, Side, Side, sky);
}

// A rainbow arching over the buttons, from the lower left to the lower right.
void DrawRainbow(QPainter& painter)
{
    const std::array<QColor, 7> bands = {QColor(0xe5, 0x3b, 0x3b), QColor(0xf3, 0x8b, 0x2c),
                                         QColor(0xf7, 0xd0, 0x3c), QColor(0x5c, 0xbf, 0x4f),
                                         QColor(0x3d, 0x8f, 0xe0), QColor(0x4a, 0x52, 0xb5),
                                         QColor(0x8a, 0x4f, 0xb8)};
    constexpr qreal Outer = 196;
    constexpr qreal Band = 6;
    const QPointF centre(Side / 2.0, 296);
    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        QColor colour = bands[i];
        colour.setAlpha(170);
        painter.setPen(QPen(colour, Band, Qt::SolidLine, Qt::FlatCap));
        const qreal radius = Outer - Band * static_cast<qreal>(i);
        painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 0,
                        180 * 16);
    }
}

// The title banner: a green ribbon with the system's name.
void DrawBanner(QPainter& painter)
{
    const QRectF ribbon(14, 18, Side - 28, 46);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRoundedRect(ribbon.translated(0, 2), 12, 12);
    QLinearGradient green(0, ribbon.top(), 0, ribbon.bottom());
    green.setColorAt(0.0, QColor(0x3f, 0xb3, 0x4f));
    green.setColorAt(1.0, QColor(0x1e, 0x82, 0x33));
    painter.setBrush(green);
    painter.setPen(QPen(QColor(255, 255, 255, 230), 2));
    painter.drawRoundedRect(ribbon, 12, 12);

    painter.setFont(PictureFont(19, QFont::ExtraBold));
    painter.setPen(QColor(0, 0, 0, 70));
    const QString title = QStringLiteral("초록우체통약국 입력시스템");
    painter.drawText(ribbon.translated(1, 1), Qt::AlignCenter, title);
    painter.setPen(Qt::white);
    painter.drawText(ribbon, Qt::AlignCenter, title);
}

// The strip under the buttons that carries the edition and version labels.
void DrawLabelStrip(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawRoundedRect(QRectF(10, 267, Side - 20, 20), 6, 6);
}

} // namespace

QImage MainBackground()
{
    QImage picture(Side, Side, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawSky(painter);
    DrawRainbow(painter);
    DrawBanner(painter);
    DrawLabelStrip(painter);
    return picture;
}
