#pragma once

#include <QLabel>

// A picture that moves its borderless window when dragged, as a caption bar would: the window
// system moves the window where it can, otherwise the window follows the mouse.
class DragPicture : public QLabel
{
    Q_OBJECT

public:
    explicit DragPicture(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;
    QPoint grabOffset_; // from the window's top-left corner to the mouse
};
