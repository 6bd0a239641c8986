#include "PictureButton.h"

#include <QMouseEvent>
#include <QPixmap>

namespace {

void PlacePicture(QLabel& label, const QImage& picture, QPoint at)
{
    label.setPixmap(QPixmap::fromImage(picture));
    label.setGeometry(QRect(at, picture.size()));
    label.setCursor(Qt::PointingHandCursor);
}

} // namespace

PictureButton::PictureButton(QWidget* parent, const QImage& picture, QPoint at,
                             const QImage& pressedPicture, QPoint pressedAt)
    : QLabel(parent), pressed_(new QLabel(parent))
{
    PlacePicture(*this, picture, at);
    PlacePicture(*pressed_, pressedPicture, pressedAt);
    pressed_->hide();
    pressed_->installEventFilter(this);
}

void PictureButton::ShowPressed()
{
    hide();
    pressed_->show();
    if (held_)
        pressed_->grabMouse();
}

void PictureButton::ShowReleased()
{
    if (QWidget::mouseGrabber() == pressed_)
        pressed_->releaseMouse();
    show();
    pressed_->hide();
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    held_ = true;
    emit Pressed();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    Release(event->button(), event->position().toPoint());
}

bool PictureButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != pressed_ || event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* release = static_cast<QMouseEvent*>(event);
    Release(release->button(), pressed_->pos() + release->position().toPoint() - pos());
    return true;
}

// at: the release's position in the button's coordinates.
void PictureButton::Release(Qt::MouseButton button, QPoint at)
{
    if (button != Qt::LeftButton || !held_)
        return;
    held_ = false;
    emit Released();
    if (rect().contains(at))
        emit Clicked();
}
