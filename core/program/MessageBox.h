#pragma once

#include <QString>
#include <functional>

// Every message box of the program goes through here, so that tests can record and answer them.

enum class MessageIcon
{
    None,
    Error,
    Question,
    Information
};
enum class MessageButtons
{
    Ok,
    YesNo
};
enum class MessageAnswer
{
    Ok,
    Yes,
    No
};

// The caption of the warnings and error messages.
inline const QString WarningCaption = QStringLiteral("경고");

struct MessageRequest
{
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

using MessageBoxHandler = std::function<MessageAnswer(const MessageRequest&)>;

// Shows the message modally and returns the user's answer.
MessageAnswer ShowMessage(const MessageRequest& request);

// Replaces the handler (a test's recorder); an empty handler restores the real message box.
void SetMessageBoxHandler(MessageBoxHandler handler);
