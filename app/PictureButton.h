#pragma once

#include <QImage>
#include <QLabel>

// A picture that acts as a button, with its pressed picture lying hidden at about the same
// place. The hand cursor shows over both. Pressing and releasing are announced so that the
// window can restore all its buttons first; a release over the button is a click. While the
// pressed picture stands in for the held button it takes the mouse, so that the release still
// arrives.
class PictureButton : public QLabel
{
    Q_OBJECT

public:
    PictureButton(QWidget* parent, const QImage& picture, QPoint at, const QImage& pressedPicture,
                  QPoint pressedAt);

    // The hidden pressed picture (the button's twin).
    QLabel* PressedPicture() const { return pressed_; }

    // Hides the button and shows its twin.
    void ShowPressed();
    // Shows the button and hides its twin.
    void ShowReleased();

    // Yes between a press on the button and the release.
    bool IsHeld() const { return held_; }

signals:
    void Pressed();
    void Released();
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Release(Qt::MouseButton button, QPoint at);

    QLabel* pressed_;
    bool held_ = false;
};
