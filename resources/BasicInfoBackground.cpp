#include "resources/BasicInfoBackground.h"

#include "resources/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

constexpr QSize PictureSize(500, 598);

const QColor Ink(0x24, 0x3a, 0x28);
const QColor Green(0x2e, 0x8b, 0x3e);
const QColor Grey(0x66, 0x66, 0x66);
const QColor Warn(0xc0, 0x3a, 0x1e);

// How a caption is drawn: its face, colour and alignment.
struct CaptionStyle
{
    int pixelSize;
    QFont::Weight weight;
    QColor colour;
    int flags;
};

enum class Kind
{
    Title,
    Heading,
    Group,
    Field,
    Note,
    Warning,
    Example,
    Check,
    Remark
};

struct Entry
{
    Kind kind;
    BasicInfoCaption caption;
};

// The captions in the order of the window from the top; each field caption stands left of the
// box it names, on the same line.
const QList<Entry>& Entries()
{
    static const QList<Entry> entries{
        {Kind::Title, {QStringLiteral("실시간 초록우체통약국 시스템"), QRect(0, 14, 500, 40)}},
        {Kind::Heading, {QStringLiteral("기본정보 입력"), QRect(24, 82, 220, 32)}},
        {Kind::Group, {QStringLiteral("필수 입력사항"), QRect(30, 128, 120, 16)}},
        {Kind::Field, {QStringLiteral("대표 약사명"), QRect(30, 148, 120, 16)}},
        {Kind::Field, {QStringLiteral("대표약사면허번호"), QRect(30, 170, 120, 16)}},
        {Kind::Field, {QStringLiteral("생년월일(예:880123)"), QRect(30, 192, 120, 16)}},
        {Kind::Field, {QStringLiteral("약국명"), QRect(30, 214, 120, 16)}},
        {Kind::Field, {QStringLiteral("주 소"), QRect(30, 236, 120, 16)}},
        {Kind::Field, {QStringLiteral("상세주소"), QRect(421, 280, 60, 16)}},
        {Kind::Field, {QStringLiteral("약국전화번호"), QRect(30, 303, 120, 16)}},
        {Kind::Group, {QStringLiteral("선택 입력사항"), QRect(30, 330, 120, 16)}},
        {Kind::Warning,
         {QStringLiteral("핸드폰과 팩스번호는 둘중 하나를 필수로 입력해 주세요"),
          QRect(30, 346, 450, 14)}},
        {Kind::Note,
         {QStringLiteral(
              "핸드폰번호는 외부에 공개되지 않으며 본회에서 안내문자 발송시에만 사용합니다."),
          QRect(30, 359, 450, 14)}},
        {Kind::Field, {QStringLiteral("핸드폰번호"), QRect(30, 375, 120, 16)}},
        {Kind::Field, {QStringLiteral("팩스 번호"), QRect(30, 397, 120, 16)}},
        {Kind::Field, {QStringLiteral("위치 정보"), QRect(30, 419, 120, 16)}},
        {Kind::Example,
         {QStringLiteral("예) 강남역 1번 출구 전방 100M 온세빌딩 1층"), QRect(155, 436, 300, 14)}},
        {Kind::Check,
         {QStringLiteral("초록우체통약국 확인(전용) 컴퓨터"), QRect(24, 462, 214, 16)}},
        {Kind::Remark,
         {QStringLiteral(
              "※ 약국컴퓨터가 여러대인경우에는 한대만 초록우체통약국 확인용으로 사용하실 "
              "수 있습니다. 2대 이상의 컴퓨터에 프로그램 설치시 최종 컴퓨터에 입력된 "
              "정보가 설정됩니다. 주로 사용하시는 컴퓨터에 프로그램을 설치하시길 "
              "권장합니다."),
          QRect(24, 484, 452, 48)}},
    };
    return entries;
}

CaptionStyle StyleOf(Kind kind)
{
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    switch (kind) {
    case Kind::Title:
        return {22, QFont::ExtraBold, Qt::white, Qt::AlignCenter};
    case Kind::Heading:
        return {18, QFont::Bold, Ink, left};
    case Kind::Group:
        return {12, QFont::Bold, Green, left};
    case Kind::Field:
        return {12, QFont::Bold, Ink, left};
    case Kind::Note:
    case Kind::Example:
        return {11, QFont::Normal, Grey, left};
    case Kind::Warning:
        return {11, QFont::Bold, Warn, left};
    case Kind::Check:
        return {12, QFont::Bold, Green, Qt::AlignRight | Qt::AlignVCenter};
    case Kind::Remark:
        return {11, QFont::Normal, Grey, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap};
    }
    return {12, QFont::Normal, Ink, left};
}

// The text boxes (left, top, width; 12 high) and the address line (14 high), framed.
QRect BoxAround(int left, int top, int width, int height = 12)
{
    return QRect(left - 3, top - 2, width + 6, height + 4);
}

void DrawBanner(QPainter& painter)
{
    QLinearGradient band(0, 0, 0, 68);
    band.setColorAt(0.0, QColor(0x3f, 0xb3, 0x4f));
    band.setColorAt(1.0, QColor(0x1e, 0x7a, 0x30));
    painter.fillRect(QRect(0, 0, PictureSize.width(), 68), band);
    painter.fillRect(QRect(0, 68, PictureSize.width(), 3), QColor(0xf2, 0x7a, 0x1a));
}

// A frame with rounded corners around a group of fields, its caption on the top edge.
void DrawGroup(QPainter& painter, const QRect& frame)
{
    painter.setPen(QPen(QColor(0xa8, 0xcf, 0xae), 1));
    painter.setBrush(QColor(0xff, 0xff, 0xff, 150));
    painter.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

void DrawBoxes(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x9a, 0xb0, 0x9e), 1));
    for (const QRect& box : BasicInfoFieldBoxes()) {
        const bool addressLine = box.height() > 16;
        painter.setBrush(addressLine ? QColor(0xee, 0xf0, 0xee) : Qt::white);
        painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

// The check box's place, framed so that it stands out on the background.
void DrawCheckPlace(QPainter& painter)
{
    painter.setPen(QPen(QColor(0xf2, 0x7a, 0x1a), 1));
    painter.setBrush(QColor(0xff, 0xf4, 0xe6));
    painter.drawRoundedRect(QRectF(20.5, 457.5, 250, 26), 4, 4);
}

void DrawCaptions(QPainter& painter)
{
    for (const Entry& entry : Entries()) {
        const CaptionStyle style = StyleOf(entry.kind);
        painter.setFont(PictureFont(style.pixelSize, style.weight));
        if (entry.kind == Kind::Title) {
            painter.setPen(QColor(0, 0, 0, 80));
            painter.drawText(entry.caption.place.translated(1, 1), style.flags, entry.caption.text);
        }
        painter.setPen(style.colour);
        painter.drawText(entry.caption.place, style.flags, entry.caption.text);
    }
}

} // namespace

const QList<BasicInfoCaption>& BasicInfoCaptions()
{
    static const QList<BasicInfoCaption> captions = [] {
        QList<BasicInfoCaption> list;
        for (const Entry& entry : Entries())
            list.append(entry.caption);
        return list;
    }();
    return captions;
}

const QList<QRect>& BasicInfoFieldBoxes()
{
    static const QList<QRect> boxes{
        BoxAround(155, 150, 87),  BoxAround(155, 172, 85),  BoxAround(155, 194, 85),
        BoxAround(155, 216, 154), BoxAround(155, 238, 70),  BoxAround(155, 260, 260, 14),
        BoxAround(155, 282, 260), BoxAround(157, 305, 152), BoxAround(157, 377, 152),
        BoxAround(157, 399, 152), BoxAround(155, 421, 262),
    };
    return boxes;
}

QImage BasicInfoBackground()
{
    QImage picture(PictureSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(0xf3, 0xf8, 0xf2));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawBanner(painter);
    painter.fillRect(QRect(20, 118, 460, 2), QColor(0x2e, 0x8b, 0x3e));
    DrawGroup(painter, QRect(20, 125, 460, 198));
    DrawGroup(painter, QRect(20, 327, 460, 126));
    DrawBoxes(painter);
    DrawCheckPlace(painter);
    DrawCaptions(painter);
    return picture;
}
