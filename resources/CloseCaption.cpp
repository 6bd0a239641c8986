#include "resources/CloseCaption.h"

#include "resources/PictureFont.h"

#include <QFontMetricsF>
#include <QPen>

void DrawCloseCaption(QPainter& painter, const QRectF& face, const CloseCaptionLook& look)
{
    painter.setFont(PictureFont(look.fontPixels));
    const QString caption = QStringLiteral("CLOSE");
    const qreal width =
        look.cross + look.gap + QFontMetricsF(painter.font()).horizontalAdvance(caption);
    const qreal left = face.center().x() - width / 2;
    const qreal middle = face.center().y();
    const qreal half = look.cross / 2;
    painter.setPen(QPen(Qt::white, look.penWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(left, middle - half), QPointF(left + look.cross, middle + half));
    painter.drawLine(QPointF(left, middle + half), QPointF(left + look.cross, middle - half));
    painter.drawText(QRectF(left + look.cross + look.gap, face.top(), width, face.height()),
                     Qt::AlignVCenter | Qt::AlignLeft, caption);
}
