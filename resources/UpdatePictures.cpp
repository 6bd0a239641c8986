#include "resources/UpdatePictures.h"

#include "resources/PictureFont.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr int Width = 567;
constexpr int Height = 40;
constexpr int LargestText = 15;
constexpr int SmallestText = 9;
constexpr int TextMargin = 14;

// The largest face size at which the line fits between the margins.
QFont FittingFont(const QString& text)
{
    for (int size = LargestText; size > SmallestText; --size) {
        const QFont font = PictureFont(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= Width - 2 * TextMargin)
            return font;
    }
    return PictureFont(SmallestText);
}

// A rounded strip in the colours of the main screen's banner, the line centred on it.
QImage Strip(const QString& text, const QColor& top, const QColor& bottom)
{
    QImage picture(Width, Height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF band(1, 1, Width - 2, Height - 2);
    QLinearGradient fill(0, 0, 0, Height);
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(255, 255, 255, 230), 2));
    painter.drawRoundedRect(band, 8, 8);

    painter.setFont(FittingFont(text));
    painter.setPen(QColor(0, 0, 0, 80));
    painter.drawText(band.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, text);
    return picture;
}

} // namespace

QImage UpdateProgressPicture()
{
    return Strip(QStringLiteral("초록우체통약국 프로그램 자동업데이트를 진행하고 있습니다. "
                                "(예상시간 1분 내외)"),
                 QColor(0x3f, 0xb3, 0x4f), QColor(0x1e, 0x82, 0x33));
}

QImage ImportBannerPicture()
{
    return Strip(QStringLiteral("QX2000에서 기본정보를 가져오고 있습니다. 잠시만 기다려 "
                                "주십시요!"),
                 QColor(0x4f, 0xa8, 0xe8), QColor(0x2a, 0x6f, 0xb8));
}
