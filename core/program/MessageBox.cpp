#include "core/program/MessageBox.h"

#include "core/program/ProgramValues.h"

#include <QMessageBox>

namespace {

MessageBoxHandler& CurrentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer ShowQtMessage(const MessageRequest& request)
{
    const QString caption = request.caption.isEmpty() ? ApplicationTitle : request.caption;
    QMessageBox box(ToQtIcon(request.icon), caption, request.text);
    // Messages may quote what the service sent; it is shown as text, never read as markup.
    box.setTextFormat(Qt::PlainText);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

} // namespace

MessageAnswer ShowMessage(const MessageRequest& request)
{
    const MessageBoxHandler& handler = CurrentHandler();
    return handler ? handler(request) : ShowQtMessage(request);
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    CurrentHandler() = std::move(handler);
}
