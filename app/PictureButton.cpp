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
}

void PictureButton::ShowPressed()
{
    hide();
    pressed_->show();
}

void PictureButton::ShowReleased()
{
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
    if (event->button() != Qt::LeftButton || !held_)
        return;
    held_ = false;
    emit Released();
    if (rect().contains(event->position().toPoint()))
        emit Clicked();
}
