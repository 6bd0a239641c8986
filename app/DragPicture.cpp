#include "app/DragPicture.h"

#include <QMouseEvent>
#include <QWindow>

DragPicture::DragPicture(QWidget* parent, std::function<QImage()> picture)
    : QLabel(parent), picture_(std::move(picture))
{
}

void DragPicture::showEvent(QShowEvent* event)
{
    if (picture_) {
        setPixmap(QPixmap::fromImage(picture_()));
        picture_ = nullptr;
    }
    QLabel::showEvent(event);
}

void DragPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    QWindow* handle = window()->windowHandle();
    if (handle != nullptr && handle->startSystemMove())
        return;
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - window()->pos();
}

void DragPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        window()->move(event->globalPosition().toPoint() - grabOffset_);
}

void DragPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}
