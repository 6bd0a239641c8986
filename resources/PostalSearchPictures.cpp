#include "resources/PostalSearchPictures.h"

#include "resources/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr QSize BackgroundSize(450, 250);
constexpr QSize ButtonSize(77, 18);

void Prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// A pale green panel with a darker band under the hint, framed by a thin line.
void DrawPanel(QPainter& painter)
{
    QLinearGradient fill(0, 0, 0, BackgroundSize.height());
    fill.setColorAt(0.0, QColor(0xf3, 0xfa, 0xf1));
    fill.setColorAt(1.0, QColor(0xe2, 0xf1, 0xdf));
    painter.fillRect(QRect(QPoint(0, 0), BackgroundSize), fill);
    painter.fillRect(QRect(0, 0, BackgroundSize.width(), 29), QColor(0x2e, 0x8b, 0x3e));
    painter.setPen(QColor(0x9c, 0xc8, 0x95));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, BackgroundSize.width() - 1, BackgroundSize.height() - 1));
}

void DrawHint(QPainter& painter)
{
    painter.setFont(PictureFont(12));
    painter.setPen(Qt::white);
    painter.drawText(QRect(9, 0, 400, 29), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("※동(읍/면)명/아파트명/건물명"));
}

} // namespace

QImage PostalSearchBackground()
{
    QImage picture(BackgroundSize, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&picture);
    Prepare(painter);
    DrawPanel(painter);
    DrawHint(painter);
    return picture;
}

QImage PostalSearchButton(bool pressed)
{
    QImage picture(ButtonSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    Prepare(painter);
    const QRectF face = QRectF(QPointF(0, 0), QSizeF(ButtonSize)).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(0, face.top(), 0, face.bottom());
    fill.setColorAt(0.0, pressed ? QColor(0x1e, 0x6e, 0x2b) : QColor(0x4c, 0xb8, 0x5b));
    fill.setColorAt(1.0, pressed ? QColor(0x17, 0x5a, 0x23) : QColor(0x26, 0x8a, 0x36));
    painter.setBrush(fill);
    painter.setPen(QColor(0x15, 0x4f, 0x1f));
    painter.drawRoundedRect(face, 3, 3);
    painter.setFont(PictureFont(11));
    painter.setPen(Qt::white);
    painter.drawText(face.translated(pressed ? 1 : 0, pressed ? 1 : 0), Qt::AlignCenter,
                     QStringLiteral("우편번호찾기"));
    return picture;
}
