#include "resources/ReminderPictures.h"

#include "resources/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int BannerHeight = 44;
const QColor Deep(0x1f, 0x6e, 0x2d);
const QColor Leaf(0x2e, 0x8b, 0x3e);
const QColor Paper(0xfb, 0xfd, 0xf8);

QString BannerText(ReminderBanner banner)
{
    return banner == ReminderBanner::Festival ? QStringLiteral("명절 등록 알림창")
                                              : QStringLiteral("법정 공휴일 등록 알림창");
}

QString ButtonText(ReminderButton button)
{
    switch (button) {
    case ReminderButton::Work:
        return QStringLiteral("근무");
    case ReminderButton::Closed:
        return QStringLiteral("휴무");
    case ReminderButton::Later:
        break;
    }
    return QStringLiteral("나중알림");
}

// A small calendar leaf with a red day mark, the reminders' emblem.
void DrawCalendar(QPainter& painter, QRectF place)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(place, 3, 3);
    painter.setBrush(QColor(0xd9, 0x3a, 0x2b));
    painter.drawRoundedRect(QRectF(place.topLeft(), QSizeF(place.width(), 7)), 3, 3);
    painter.drawRect(QRectF(place.left(), place.top() + 4, place.width(), 3));
    painter.setBrush(Leaf);
    const qreal cell = (place.width() - 8) / 3;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            painter.drawRect(
                QRectF(place.left() + 4 + column * cell, place.top() + 11 + row * 7, cell - 2, 4));
        }
    }
}

} // namespace

QImage ReminderBackground(ReminderBanner banner)
{
    QImage picture(ReminderSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Paper);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient fill(0, 0, 0, BannerHeight);
    fill.setColorAt(0.0, Leaf);
    fill.setColorAt(1.0, Deep);
    painter.fillRect(QRect(0, 0, ReminderSize.width(), BannerHeight), fill);
    DrawCalendar(painter, QRectF(14, 10, 24, 25));
    painter.setPen(Qt::white);
    painter.setFont(PictureFont(17));
    painter.drawText(QRect(48, 0, ReminderSize.width() - 60, BannerHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, BannerText(banner));

    painter.setPen(QPen(QColor(0xc5, 0xdc, 0xc8), 1));
    painter.drawLine(10, 204, ReminderSize.width() - 10, 204);
    painter.setPen(QPen(Deep, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, ReminderSize.width() - 2, ReminderSize.height() - 2));
    return picture;
}

QImage ReminderButtonPicture(ReminderButton button, bool pressed)
{
    QImage picture(ReminderButtonSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF face =
        QRectF(QPointF(0, 0), QSizeF(ReminderButtonSize)).adjusted(0.5, 0.5, -0.5, -0.5);

    QLinearGradient fill(0, face.top(), 0, face.bottom());
    if (pressed) {
        fill.setColorAt(0.0, Leaf);
        fill.setColorAt(1.0, Deep);
    } else {
        fill.setColorAt(0.0, Qt::white);
        fill.setColorAt(1.0, QColor(0xe3, 0xf3, 0xe3));
    }
    painter.setBrush(fill);
    painter.setPen(QPen(Leaf, 1));
    painter.drawRoundedRect(face, 5, 5);
    painter.setPen(pressed ? Qt::white : QColor(0x1f, 0x3b, 0x24));
    painter.setFont(PictureFont(12));
    painter.drawText(face.translated(0, pressed ? 1 : 0), Qt::AlignCenter, ButtonText(button));
    return picture;
}
