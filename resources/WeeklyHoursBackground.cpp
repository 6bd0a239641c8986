#include "resources/PictureFont.h"
#include "resources/WeeklyHoursPictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int Width = 500;
constexpr int Height = 600;
const QColor Green(0x2e, 0x8b, 0x3e);
const QColor PanelLine(0xb9, 0xd7, 0xb0);

void DrawTitleBand(QPainter& painter)
{
    QLinearGradient band(0, 0, 0, 112);
    band.setColorAt(0.0, QColor(0x3f, 0xb3, 0x4f));
    band.setColorAt(1.0, QColor(0x1e, 0x82, 0x33));
    painter.fillRect(0, 0, Width, 112, band);

    painter.setFont(PictureFont(23, QFont::ExtraBold));
    painter.setPen(QColor(0, 0, 0, 70));
    const QString title = QStringLiteral("정상 근무시간 정보입력");
    painter.drawText(QRect(31, 23, 400, 34), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(30, 22, 400, 34), Qt::AlignLeft | Qt::AlignVCenter, title);

    painter.setFont(PictureFont(12, QFont::Normal));
    painter.setPen(QColor(0xe8, 0xf5, 0xe9));
    painter.drawText(QRect(30, 62, 370, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("근무하시는 날의 근무유무를 체크하고 시간을 고르신 뒤\n"
                                    "입력완료를 눌러 주십시오."));
}

// A clock face at the right of the title band.
void DrawClock(QPainter& painter)
{
    const QPointF centre(440, 46);
    constexpr qreal Radius = 26;
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawEllipse(centre, Radius, Radius);
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -17));
    painter.drawLine(centre, centre + QPointF(12, 6));
}

void DrawPanel(QPainter& painter, const QRectF& panel, const QColor& fill)
{
    painter.setPen(QPen(PanelLine, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(panel, 8, 8);
}

// Thin lines between the groups of rows: weekdays, every Sunday, the weeks, the operation type.
void DrawSeparators(QPainter& painter)
{
    painter.setPen(QPen(QColor(0xd6, 0xe8, 0xd1), 1));
    for (const qreal y : {231.5, 274.5, 431.5})
        painter.drawLine(QPointF(32, y), QPointF(Width - 32, y));
}

} // namespace

QImage WeeklyHoursBackground()
{
    QImage picture(Width, Height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(0xf3, 0xf8, 0xef));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawTitleBand(painter);
    DrawClock(painter);
    DrawPanel(painter, QRectF(20.5, 126.5, Width - 41, 334), Qt::white);
    DrawPanel(painter, QRectF(20.5, 461.5, Width - 41, 82), QColor(0xff, 0xfa, 0xec));
    DrawSeparators(painter);
    painter.setPen(QPen(Green, 2));
    painter.drawLine(QPointF(0, Height - 28), QPointF(Width, Height - 28));
    return picture;
}
