#include "resources/UnregisteredComputerNoticePictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize NoticeSize(537, 185);
constexpr QSize OkButtonSize(146, 26);
const QColor Frame(0x2e, 0x8b, 0x57);
const QColor Ink(0x33, 0x33, 0x33);

QFont NoticeFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QPixmap UnregisteredComputerNoticePicture()
{
    QPixmap picture(NoticeSize);
    picture.fill(Frame);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xfb, 0xfd, 0xf8));
    painter.drawRoundedRect(QRectF(4, 4, NoticeSize.width() - 8, NoticeSize.height() - 8), 6, 6);

    painter.setPen(Frame);
    painter.setFont(NoticeFont(20, true));
    painter.drawText(QRect(24, 14, 200, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("알림"));
    painter.drawLine(24, 48, NoticeSize.width() - 24, 48);

    painter.setPen(Ink);
    painter.setFont(NoticeFont(13, false));
    painter.drawText(QRect(24, 58, NoticeSize.width() - 48, 76),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("초록우체통약국 프로그램 (QUILLANE) 미등록 컴퓨터입니다.\n"
                                    "초록우체통약국 프로그램 기본정보입력에서 사용자인증 및 "
                                    "초록우체통약국 정보를 등록하신 후 사용해주시기 바랍니다."));
    return picture;
}

QPixmap UnregisteredComputerNoticeOkButton()
{
    QPixmap picture(OkButtonSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Frame);
    painter.drawRoundedRect(QRectF(0, 0, OkButtonSize.width(), OkButtonSize.height()), 5, 5);
    painter.setPen(Qt::white);
    painter.setFont(NoticeFont(13, true));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("확인"));
    return picture;
}
