#pragma once

#include <QImage>
#include <QLabel>
#include <functional>

// A picture that moves its borderless window when dragged, as a caption bar would: the window
// system moves the window where it can, otherwise the window follows the mouse. The picture is
// drawn when it is first shown.
class DragPicture : public QLabel
{
    Q_OBJECT

public:
    DragPicture(QWidget* parent, std::function<QImage()> picture);

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<QImage()> picture_;
    bool dragging_ = false;
    QPoint grabOffset_; // from the window's top-left corner to the mouse
};
