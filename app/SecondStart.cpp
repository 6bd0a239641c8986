#include "SecondStart.h"

std::optional<platform::InstanceCommand> SecondStartCommand(const QStringList& arguments)
{
    const QString first = arguments.value(1);
    if (first == QStringLiteral("C:\\Windows\\win.ini"))
        return platform::InstanceCommand::ShowMainScreen;
    if (first == QStringLiteral("POS"))
        return platform::InstanceCommand::Pos;
    return std::nullopt;
}
