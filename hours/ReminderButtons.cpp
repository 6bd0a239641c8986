#include "ReminderButtons.h"

#include "PictureButton.h"

namespace {

QString Name(ReminderButton button)
{
    switch (button) {
    case ReminderButton::Work:
        return QStringLiteral("workButton");
    case ReminderButton::Closed:
        return QStringLiteral("closedButton");
    case ReminderButton::Later:
        break;
    }
    return QStringLiteral("laterButton");
}

QPoint Place(ReminderButton button)
{
    switch (button) {
    case ReminderButton::Work:
        return {28, 213};
    case ReminderButton::Closed:
        return {137, 213};
    case ReminderButton::Later:
        break;
    }
    return {243, 213};
}

} // namespace

PictureButton* NewReminderButton(QWidget* parent, ReminderButton button)
{
    const QRect place(Place(button), ReminderButtonSize);
    auto* picture = new PictureButton(
        parent, [button] { return ReminderButtonPicture(button, false); }, place,
        [button] { return ReminderButtonPicture(button, true); }, place);
    picture->setObjectName(Name(button));
    picture->PressedPicture()->setObjectName(Name(button) + QStringLiteral("Pressed"));
    QObject::connect(picture, &PictureButton::Pressed, picture, &PictureButton::ShowPressed);
    QObject::connect(picture, &PictureButton::Released, picture, &PictureButton::ShowReleased);
    return picture;
}
