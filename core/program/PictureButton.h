#pragma once

#include <QImage>
#include <QLabel>
#include <functional>

// A picture that acts as a button, with its pressed picture lying hidden at about the same
// place. The hand cursor shows over both. Pressing and releasing are announced so that the
// window can restore all its buttons first; a release over the button is a click. While the
// pressed picture stands in for the held button it takes the mouse, so that the release still
// arrives. Both pictures are drawn when the button is first shown, not before: the program
// mostly lives in the tray.
class PictureButton : public QLabel
{
    Q_OBJECT

public:
    using PictureMaker = std::function<QImage()>;

    PictureButton(QWidget* parent, PictureMaker picture, QRect place, PictureMaker pressedPicture,
                  QRect pressedPlace);

    // The hidden pressed picture (the button's twin).
    QLabel* PressedPicture() const { return pressed_; }

    // Hides the button and shows its twin.
    void ShowPressed();
    // Shows the button and hides its twin.
    void ShowReleased();

    // Shows the button pressed while the mouse holds it and released after, each time once
    // restoreAll has put every button of the window back; the connections last as long as
    // context.
    void ShowPressesAfter(QObject* context, const std::function<void()>& restoreAll);

    // Yes between a press on the button and the release.
    bool IsHeld() const { return held_; }

signals:
    void Pressed();
    void Released();
    void Clicked();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Release(Qt::MouseButton button, QPoint at);

    QLabel* pressed_;
    PictureMaker picture_;
    PictureMaker pressedPicture_;
    bool held_ = false;
};
