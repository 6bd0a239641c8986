#include "registration/WarningMessage.h"

#include "core/program/MessageBox.h"

void ShowWarning(const QString& text)
{
    ShowMessage({.text = text,
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
}
