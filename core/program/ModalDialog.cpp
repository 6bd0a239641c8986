#include "core/program/ModalDialog.h"

#include <QDialog>
#include <QScreen>

namespace {

ModalDialogHandler& CurrentHandler()
{
    static ModalDialogHandler handler;
    return handler;
}

void CentreOnScreen(QDialog& dialog)
{
    const QRect screen = dialog.screen()->geometry();
    const QSize size = dialog.frameGeometry().size();
    dialog.move(screen.x() + (screen.width() - size.width()) / 2,
                screen.y() + (screen.height() - size.height()) / 2);
}

} // namespace

int ShowModal(QDialog& dialog)
{
    const ModalDialogHandler& handler = CurrentHandler();
    if (handler)
        return handler(dialog);
    CentreOnScreen(dialog);
    return dialog.exec();
}

void SetModalDialogHandler(ModalDialogHandler handler)
{
    CurrentHandler() = std::move(handler);
}
