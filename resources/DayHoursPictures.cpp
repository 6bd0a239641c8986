#include "resources/DayHoursPictures.h"

#include "resources/CloseCaption.h"
#include "resources/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int BannerHeight = 96;
constexpr QColor Green(0x2e, 0x8b, 0x3e);
constexpr QColor DarkGreen(0x1e, 0x5e, 0x2a);
constexpr QColor PaleGreen(0xed, 0xf7, 0xee);

void Prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QString Heading(DayHoursHeading which)
{
    return which == DayHoursHeading::LegalHolidays ? QStringLiteral("법정공휴일 근무시간 입력")
                                                   : QStringLiteral("명절 근무시간 입력");
}

QString Guide(DayHoursHeading which)
{
    return which == DayHoursHeading::LegalHolidays
               ? QStringLiteral("근무하시는 공휴일에 체크하시고 근무시간을 선택해 주십시오.")
               : QStringLiteral("근무하시는 명절날에 체크하시고 근무시간을 선택해 주십시오.");
}

// A green banner with the system's name and the window's heading.
void DrawBanner(QPainter& painter, DayHoursHeading which, int width)
{
    const QRectF banner(0, 0, width, BannerHeight);
    QLinearGradient green(0, 0, 0, BannerHeight);
    green.setColorAt(0.0, QColor(0x4c, 0xb8, 0x5c));
    green.setColorAt(1.0, QColor(0x1f, 0x7a, 0x33));
    painter.fillRect(banner, green);

    painter.setPen(QColor(255, 255, 255, 210));
    painter.setFont(PictureFont(13));
    painter.drawText(QRectF(16, 10, width - 32, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("초록우체통"));

    painter.setFont(PictureFont(24, QFont::ExtraBold));
    const QRectF heading(0, 30, width, 52);
    painter.setPen(QColor(0, 0, 0, 70));
    painter.drawText(heading.translated(1.5, 1.5), Qt::AlignCenter, Heading(which));
    painter.setPen(Qt::white);
    painter.drawText(heading, Qt::AlignCenter, Heading(which));
}

void DrawGuide(QPainter& painter, DayHoursHeading which, int width)
{
    painter.setPen(DarkGreen);
    painter.setFont(PictureFont(12));
    painter.drawText(QRectF(0, BannerHeight + 8, width, 22), Qt::AlignCenter, Guide(which));
}

// The pale panel behind the header and the rows.
void DrawPanel(QPainter& painter, int width)
{
    const QRectF panel(8, 132, width - 16, 350);
    painter.setPen(QPen(QColor(0xb5, 0xd8, 0xba), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(panel, 8, 8);
}

QImage Canvas(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
}

// A rounded button with its caption; pressed it is darker and its caption sinks by a pixel.
QImage RoundButton(const QString& caption, QColor face, QSize size, bool pressed)
{
    QImage picture = Canvas(size);
    QPainter painter(&picture);
    Prepare(painter);
    const QRectF outline = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(0, 0, 0, size.height());
    const QColor top = pressed ? face.darker(135) : face.lighter(125);
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, pressed ? face.darker(150) : face);
    painter.setBrush(fill);
    painter.setPen(QPen(face.darker(160), 1));
    painter.drawRoundedRect(outline, 5, 5);
    painter.setPen(Qt::white);
    painter.setFont(PictureFont(13));
    painter.drawText(outline.translated(0, pressed ? 1 : 0), Qt::AlignCenter, caption);
    return picture;
}

// The close bar across the bottom edge: a dark strip with a drawn cross and CLOSE.
QImage CloseBar(QSize size, bool pressed)
{
    QImage picture = Canvas(size);
    QPainter painter(&picture);
    Prepare(painter);
    painter.fillRect(picture.rect(), pressed ? QColor(0x14, 0x3d, 0x1c) : DarkGreen);

    DrawCloseCaption(painter, QRectF(0, pressed ? 1 : 0, size.width(), size.height()));
    return picture;
}

} // namespace

QImage DayHoursBackground(DayHoursHeading which, QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(PaleGreen);
    QPainter painter(&picture);
    Prepare(painter);
    DrawBanner(painter, which, size.width());
    DrawGuide(painter, which, size.width());
    DrawPanel(painter, size.width());
    return picture;
}

QImage DayHoursButtonPicture(DayHoursButton button, QSize size, bool pressed)
{
    switch (button) {
    case DayHoursButton::Save:
        return RoundButton(QStringLiteral("입력완료"), Green, size, pressed);
    case DayHoursButton::Reset:
        return RoundButton(QStringLiteral("다시입력"), QColor(0xe0, 0x7b, 0x20), size, pressed);
    case DayHoursButton::Close:
        break;
    }
    return CloseBar(size, pressed);
}
