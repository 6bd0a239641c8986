#include "resources/CloseCaption.h"
#include "resources/PictureFont.h"
#include "resources/WeeklyHoursPictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr QRect CompletePlace(169, 546, 81, 23);
constexpr QRect ReenterPlace(268, 546, 81, 23);
constexpr QRect ClosePlace(0, 573, 500, 27);

QImage Canvas(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
}

// A rounded key with its caption; the pressed twin is darker and its caption one pixel lower.
QImage KeyPicture(const QString& caption, QColor top, QColor bottom, bool pressed)
{
    QImage picture = Canvas(CompletePlace.size());
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(picture.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(0, face.top(), 0, face.bottom());
    fill.setColorAt(0.0, pressed ? bottom.darker(115) : top);
    fill.setColorAt(1.0, pressed ? top.darker(115) : bottom);
    painter.setBrush(fill);
    painter.setPen(QPen(bottom.darker(130), 1));
    painter.drawRoundedRect(face, 5, 5);
    painter.setFont(PictureFont(13));
    painter.setPen(Qt::white);
    painter.drawText(face.translated(0, pressed ? 1 : 0), Qt::AlignCenter, caption);
    return picture;
}

// The close bar: a dark strip with a drawn cross and CLOSE in its middle.
QImage CloseBarPicture(bool pressed)
{
    QImage picture = Canvas(ClosePlace.size());
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(picture.rect(), pressed ? QColor(0x1b, 0x3a, 0x20) : QColor(0x2e, 0x5e, 0x36));

    DrawCloseCaption(painter, QRectF(0, pressed ? 1 : 0, picture.width(), picture.height()));
    return picture;
}

} // namespace

QImage WeeklyHoursButtonPicture(WeeklyHoursButton button, bool pressed)
{
    switch (button) {
    case WeeklyHoursButton::Complete:
        return KeyPicture(QStringLiteral("입력완료"), QColor(0x3f, 0xb3, 0x4f),
                          QColor(0x1e, 0x82, 0x33), pressed);
    case WeeklyHoursButton::Reenter:
        return KeyPicture(QStringLiteral("다시입력"), QColor(0x8d, 0x9b, 0xa8),
                          QColor(0x5f, 0x6d, 0x7a), pressed);
    case WeeklyHoursButton::Close:
        break;
    }
    return CloseBarPicture(pressed);
}

QRect WeeklyHoursButtonPlace(WeeklyHoursButton button)
{
    switch (button) {
    case WeeklyHoursButton::Complete:
        return CompletePlace;
    case WeeklyHoursButton::Reenter:
        return ReenterPlace;
    case WeeklyHoursButton::Close:
        break;
    }
    return ClosePlace;
}
