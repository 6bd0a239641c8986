#include "app/UnregisteredComputerNotice.h"

#include "resources/UnregisteredComputerNoticePictures.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int ClientWidth = 537;
constexpr int ClientHeight = 185;
constexpr QRect OkButtonPlace(174, 142, 146, 26);

} // namespace

UnregisteredComputerNotice::UnregisteredComputerNotice(QWidget* parent)
    : QDialog(parent), okButton_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("푸른등대 알림창"));
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(ClientWidth, ClientHeight);

    auto* notice = new QLabel(this);
    notice->setObjectName(QStringLiteral("notice"));
    notice->setGeometry(rect());
    notice->setPixmap(UnregisteredComputerNoticePicture());
    notice->lower();

    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(OkButtonPlace);
    okButton_->setPixmap(UnregisteredComputerNoticeOkButton());
    okButton_->setCursor(Qt::PointingHandCursor);
    okButton_->installEventFilter(this);
}

// A release of the left button over the 확인 picture is its click: it closes the notice.
bool UnregisteredComputerNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == okButton_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            okButton_->rect().contains(release->position().toPoint())) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
