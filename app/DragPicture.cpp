#include "DragPicture.h"

#include <QMouseEvent>
#include <QWindow>

DragPicture::DragPicture(QWidget* parent) : QLabel(parent) {}

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
