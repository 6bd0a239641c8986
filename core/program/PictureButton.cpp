#include "core/program/PictureButton.h"

#include <QMouseEvent>
#include <QPixmap>

namespace {

void Place(QLabel& label, QRect place)
{
    label.setGeometry(place);
    label.setCursor(Qt::PointingHandCursor);
}

} // namespace

PictureButton::PictureButton(QWidget* parent, PictureMaker picture, QRect place,
                             PictureMaker pressedPicture, QRect pressedPlace)
    : QLabel(parent), pressed_(new QLabel(parent)), picture_(std::move(picture)),
      pressedPicture_(std::move(pressedPicture))
{
    Place(*this, place);
    Place(*pressed_, pressedPlace);
    pressed_->hide();
    pressed_->installEventFilter(this);
}

void PictureButton::showEvent(QShowEvent* event)
{
    if (picture_) {
        setPixmap(QPixmap::fromImage(picture_()));
        pressed_->setPixmap(QPixmap::fromImage(pressedPicture_()));
        picture_ = nullptr;
        pressedPicture_ = nullptr;
    }
    QLabel::showEvent(event);
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

void PictureButton::ShowPressesAfter(QObject* context, const std::function<void()>& restoreAll)
{
    connect(this, &PictureButton::Pressed, context, [this, restoreAll] {
        restoreAll();
        ShowPressed();
    });
    connect(this, &PictureButton::Released, context, [this, restoreAll] {
        restoreAll();
        ShowReleased();
    });
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
