#include "resources/BasicInfoButtons.h"

#include "resources/CloseCaption.h"
#include "resources/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>

QSize BasicInfoButtonSize(BasicInfoButton button)
{
    switch (button) {
    case BasicInfoButton::IdentityCheck:
        return {61, 63};
    case BasicInfoButton::Submit:
    case BasicInfoButton::ReEnter:
        return {81, 23};
    case BasicInfoButton::Close:
        return {500, 27};
    case BasicInfoButton::Manual:
        return {127, 32};
    }
    return {};
}

namespace {

// The face colours of a button, top and bottom of its gradient.
struct Face
{
    QColor top;
    QColor bottom;
};

Face FaceOf(BasicInfoButton button, bool pressed)
{
    switch (button) {
    case BasicInfoButton::IdentityCheck:
        return pressed ? Face{QColor(0xc8, 0x56, 0x0c), QColor(0xa8, 0x46, 0x08)}
                       : Face{QColor(0xf7, 0x94, 0x3a), QColor(0xe0, 0x6a, 0x14)};
    case BasicInfoButton::Submit:
    case BasicInfoButton::Close:
        return pressed ? Face{QColor(0x1f, 0x6e, 0x2d), QColor(0x17, 0x55, 0x22)}
                       : Face{QColor(0x3f, 0xa8, 0x4f), QColor(0x2b, 0x84, 0x3a)};
    case BasicInfoButton::ReEnter:
        return pressed ? Face{QColor(0x55, 0x5b, 0x56), QColor(0x44, 0x49, 0x45)}
                       : Face{QColor(0x8c, 0x94, 0x8e), QColor(0x6c, 0x74, 0x6e)};
    case BasicInfoButton::Manual:
        return {QColor(0xff, 0xff, 0xff), QColor(0xe3, 0xee, 0xf8)};
    }
    return {};
}

QImage Canvas(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
}

void DrawFace(QPainter& painter, BasicInfoButton button, bool pressed, const QRectF& face)
{
    const Face colours = FaceOf(button, pressed);
    QLinearGradient fill(0, face.top(), 0, face.bottom());
    fill.setColorAt(0.0, colours.top);
    fill.setColorAt(1.0, colours.bottom);
    painter.setBrush(fill);
    const qreal radius = button == BasicInfoButton::Close ? 0 : 5;
    painter.setPen(button == BasicInfoButton::Manual ? QPen(QColor(0x3d, 0x6f, 0xb0), 1.5)
                                                     : QPen(colours.bottom.darker(120), 1));
    painter.drawRoundedRect(face, radius, radius);
}

// The manual button: a small open book before the caption.
void DrawManualCaption(QPainter& painter, const QRectF& face)
{
    const QRectF book(face.left() + 9, face.center().y() - 7, 18, 14);
    painter.setPen(QPen(QColor(0x3d, 0x6f, 0xb0), 1.4));
    painter.setBrush(QColor(0xd6, 0xe6, 0xf7));
    painter.drawRect(QRectF(book.left(), book.top(), book.width() / 2, book.height()));
    painter.drawRect(QRectF(book.center().x(), book.top(), book.width() / 2, book.height()));
    painter.setFont(PictureFont(13));
    painter.setPen(QColor(0x1e, 0x3f, 0x6e));
    painter.drawText(face.adjusted(30, 0, -4, 0), Qt::AlignCenter,
                     BasicInfoButtonCaption(BasicInfoButton::Manual));
}

void DrawCaption(QPainter& painter, BasicInfoButton button, const QRectF& face)
{
    switch (button) {
    case BasicInfoButton::Close:
        DrawCloseCaption(painter, face);
        return;
    case BasicInfoButton::Manual:
        DrawManualCaption(painter, face);
        return;
    case BasicInfoButton::IdentityCheck:
        painter.setFont(PictureFont(15, QFont::ExtraBold));
        painter.setPen(Qt::white);
        painter.drawText(face, Qt::AlignCenter, QStringLiteral("본인\n확인"));
        return;
    case BasicInfoButton::Submit:
    case BasicInfoButton::ReEnter:
        painter.setFont(PictureFont(13));
        break;
    }
    painter.setPen(Qt::white);
    painter.drawText(face, Qt::AlignCenter, BasicInfoButtonCaption(button));
}

} // namespace

QString BasicInfoButtonCaption(BasicInfoButton button)
{
    switch (button) {
    case BasicInfoButton::IdentityCheck:
        return QStringLiteral("본인확인");
    case BasicInfoButton::Submit:
        return QStringLiteral("입력완료");
    case BasicInfoButton::ReEnter:
        return QStringLiteral("다시입력");
    case BasicInfoButton::Close:
        return QStringLiteral("CLOSE");
    case BasicInfoButton::Manual:
        return QStringLiteral("사용 매뉴얼 보기");
    }
    return {};
}

QImage BasicInfoButtonPicture(BasicInfoButton button, bool pressed)
{
    const QSize size = BasicInfoButtonSize(button);
    QImage picture = Canvas(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QRectF face = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    DrawFace(painter, button, pressed, face);
    if (pressed)
        face.translate(1, 1);
    DrawCaption(painter, button, face);
    return picture;
}
