#include "resources/MainButtons.h"

#include "resources/CloseCaption.h"
#include "resources/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr QSize EntrySize(251, 40);
constexpr QSize CloseSize(300, 17);
constexpr QSize ClosePressedSize(298, 17);

QString Label(MainButton button)
{
    switch (button) {
    case MainButton::BasicInfo:
        return QStringLiteral("기본 정보입력");
    case MainButton::NormalHours:
        return QStringLiteral("정상 근무시간 정보입력");
    case MainButton::LegalHolidays:
        return QStringLiteral("법정공휴일 정보입력");
    case MainButton::FestivalHours:
        return QStringLiteral("명절 근무시간 정보입력");
    case MainButton::Close:
        break;
    }
    return QStringLiteral("CLOSE");
}

QImage Canvas(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
}

void Prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// The round GO badge at the right end of the basic-information button.
void DrawGoBadge(QPainter& painter, const QRectF& face, bool pressed)
{
    const qreal diameter = face.height() - 8;
    const QRectF badge(face.right() - diameter - 6, face.top() + 4, diameter, diameter);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(pressed ? QColor(0xc8, 0x56, 0x0c) : QColor(0xf2, 0x7a, 0x1a));
    painter.drawEllipse(badge);
    painter.setPen(Qt::white);
    painter.setFont(PictureFont(12, QFont::Black));
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("GO"));
}

// A small arrow at the right end of the other entry buttons.
void DrawArrow(QPainter& painter, const QRectF& face, bool pressed)
{
    const QPointF tip(face.right() - 14, face.center().y());
    painter.setPen(QPen(pressed ? QColor(0xe8, 0xf5, 0xe9) : QColor(0x2e, 0x8b, 0x3e), 2.5,
                        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QList<QPointF>{tip + QPointF(-6, -7), tip, tip + QPointF(-6, 7)});
}

QImage EntryPicture(MainButton button, bool pressed)
{
    QImage picture = Canvas(EntrySize);
    QPainter painter(&picture);
    Prepare(painter);
    const QRectF face = QRectF(QPointF(0, 0), QSizeF(EntrySize)).adjusted(1, 1, -1, -2);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, pressed ? 25 : 50));
    painter.drawRoundedRect(face.translated(0, 1.5), 9, 9);

    QLinearGradient fill(0, face.top(), 0, face.bottom());
    if (pressed) {
        fill.setColorAt(0.0, QColor(0x2b, 0x8a, 0x3b));
        fill.setColorAt(1.0, QColor(0x1f, 0x6e, 0x2d));
    } else {
        fill.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
        fill.setColorAt(1.0, QColor(0xe3, 0xf3, 0xe3));
    }
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0x2e, 0x8b, 0x3e), 1.5));
    painter.drawRoundedRect(face, 9, 9);

    painter.setFont(PictureFont(15));
    painter.setPen(pressed ? Qt::white : QColor(0x1f, 0x3b, 0x24));
    const QRectF text = face.adjusted(16, pressed ? 1 : 0, -40, pressed ? 1 : 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, Label(button));

    if (button == MainButton::BasicInfo)
        DrawGoBadge(painter, face, pressed);
    else
        DrawArrow(painter, face, pressed);
    return picture;
}

// The close bar: a dark strip with a drawn cross and CLOSE.
QImage ClosePicture(bool pressed)
{
    const QSize size = pressed ? ClosePressedSize : CloseSize;
    QImage picture = Canvas(size);
    QPainter painter(&picture);
    Prepare(painter);
    const QRectF bar = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pressed ? QColor(0x1b, 0x3a, 0x20) : QColor(0x2e, 0x5e, 0x36));
    painter.drawRoundedRect(bar, 5, 5);

    DrawCloseCaption(painter, QRectF(0, pressed ? 0.5 : 0, size.width(), size.height()),
                     {11, 7, 4, 1.6});
    return picture;
}

} // namespace

QImage MainButtonPicture(MainButton button, bool pressed)
{
    if (button == MainButton::Close)
        return ClosePicture(pressed);
    return EntryPicture(button, pressed);
}

QSize MainButtonPictureSize(MainButton button, bool pressed)
{
    if (button == MainButton::Close)
        return pressed ? ClosePressedSize : CloseSize;
    return EntrySize;
}
