#include "hours/ReminderButtons.h"

#include "core/program/PictureButton.h"

namespace {

struct Button
{
    QString name;
    QPoint place;
};

Button Of(ReminderButton button)
{
    switch (button) {
    case ReminderButton::Work:
        return {QStringLiteral("workButton"), {28, 213}};
    case ReminderButton::Closed:
        return {QStringLiteral("closedButton"), {137, 213}};
    case ReminderButton::Later:
        break;
    }
    return {QStringLiteral("laterButton"), {243, 213}};
}

} // namespace

PictureButton* NewReminderButton(QWidget* parent, ReminderButton button)
{
    const Button made = Of(button);
    const QRect place(made.place, ReminderButtonSize);
    auto* picture = new PictureButton(
        parent, [button] { return ReminderButtonPicture(button, false); }, place,
        [button] { return ReminderButtonPicture(button, true); }, place);
    picture->setObjectName(made.name);
    picture->PressedPicture()->setObjectName(made.name + QStringLiteral("Pressed"));
    QObject::connect(picture, &PictureButton::Pressed, picture, &PictureButton::ShowPressed);
    QObject::connect(picture, &PictureButton::Released, picture, &PictureButton::ShowReleased);
    return picture;
}
