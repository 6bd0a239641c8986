#include "UnregisteredComputerNotice.h"

#include "UnregisteredComputerNoticePictures.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int ClientWidth = 537;
constexpr int ClientHeight = 185;
constexpr QRect OkButtonPlace(174, 142, 146, 26);

} // namespace

UnregisteredComputerNotice::UnregisteredComputerNotice(QWidget* parent)
    : QDialog(parent), Image1(new QLabel(this)), Image2(new QLabel(this))
{
    setWindowTitle(QStringLiteral("푸른등대 알림창"));
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(ClientWidth, ClientHeight);

    Image1->setGeometry(rect());
    Image1->setPixmap(UnregisteredComputerNoticePicture());

    Image2->setGeometry(OkButtonPlace);
    Image2->setPixmap(UnregisteredComputerNoticeOkButton());
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);
}

void UnregisteredComputerNotice::Image2Click()
{
    close();
}

// A release of the left button over the 확인 picture is its click.
bool UnregisteredComputerNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image2 && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            Image2->rect().contains(release->position().toPoint())) {
            Image2Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
